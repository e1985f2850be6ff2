// What Find in Projects remembers between its runs.
#include "projects/find_state.h"

// Find in Projects has not been built yet, so there is no search to remember.
void ResetFindState() {}
