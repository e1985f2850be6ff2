// Which of the program's windows are open, the top entry being the active one. The Ctrl-key
// shortcuts work only while the board is the top entry, and the tray icon restores the top entry.
#ifndef VARNEL_STATE_DIALOG_STACK_H
#define VARNEL_STATE_DIALOG_STACK_H

#include <windows.h>

#include "framework/dialog.h"

constexpr int kDialogStackSize = 120;

// Entry 0 is never used; StackCount is the index of the top entry.
extern HWND DialogStackWindows[kDialogStackSize];
extern fw::Dialog* DialogStackObjects[kDialogStackSize];
extern int StackCount;

void EmptyDialogStack();
// Returns false, and records nothing, when the table is full.
bool PushDialog(HWND window, fw::Dialog* dialog);
void PopDialog();

#endif
