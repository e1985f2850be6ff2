// Reposition mode: the user clicks the 33 copy buttons in the order the slots should take.
#ifndef VARNEL_BOARD_REPOSITION_H
#define VARNEL_BOARD_REPOSITION_H

#include <windows.h>

// Command 32779: asks for confirmation and starts collecting clicks.
void StartReposition(HWND board);
// A copy button's click while the mode collects clicks.
void RepositionClick(HWND board, int button);

#endif
