// The help topics window.
#ifndef VARNEL_DIALOGS_HELP_WINDOW_H
#define VARNEL_DIALOGS_HELP_WINDOW_H

#include <windows.h>

// Shows the help window over owner on the topic of a Help menu command (32791 to 32808).
void ShowHelpForCommand(HWND owner, int command);

#endif
