// Rename Buttons: all 33 captions of the board in one window.
#include "dialogs/rename_buttons.h"

// The window has not been built yet: the command does nothing until it is.
void RunRenameButtons(HWND) {}
