// The help topics window.
#include "dialogs/help_window.h"

// The help texts and their window have not been built yet: the commands do nothing until they are.
void ShowHelpForCommand(HWND, int) {}
