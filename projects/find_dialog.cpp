// Find in Projects: searching the current project or all of them.
#include "projects/find_dialog.h"

// The dialog has not been built yet: the command does nothing until it is.
void RunFindInProjects(HWND) {}
