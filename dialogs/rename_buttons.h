// Rename Buttons: all 33 captions of the board in one window.
#ifndef VARNEL_DIALOGS_RENAME_BUTTONS_H
#define VARNEL_DIALOGS_RENAME_BUTTONS_H

#include <windows.h>

// Runs the dialog modally over owner; the captions it accepts go straight onto the board's copy
// buttons and into the board's page. Nothing is written to a file here.
void RunRenameButtons(HWND owner);

#endif
