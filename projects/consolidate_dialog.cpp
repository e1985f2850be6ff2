// Consolidate Projects: sorting the slots of chosen projects across their files.
#include "projects/consolidate_dialog.h"

// The dialog has not been built yet: the command does nothing until it is.
void RunConsolidateProjects(HWND) {}
