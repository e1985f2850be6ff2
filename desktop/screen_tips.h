// ScreenTips: tooltips on the board's controls for beginners, switched by the Help menu's first
// item and Ctrl+T.
#ifndef VARNEL_DESKTOP_SCREEN_TIPS_H
#define VARNEL_DESKTOP_SCREEN_TIPS_H

#include <windows.h>

// Creates the board's tooltip control with its 135 tools (1), or destroys it (0).
void SetScreenTips(int on);
// Hands a message of the board's loop to the tooltip control, as if it came from the control
// under the pointer; the message itself goes on unchanged.
void ToolTipRelay(const MSG* msg);
// The menu item's text and check mark from WantToolTip, and the control to match.
void ShowScreenTipsChoice();
// Command 32786: the item's check mark decides the new state.
void ToggleScreenTips();

#endif
