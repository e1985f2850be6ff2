// The dialog stack.
#include "state/dialog_stack.h"

HWND DialogStackWindows[kDialogStackSize] = {};
fw::Dialog* DialogStackObjects[kDialogStackSize] = {};
int StackCount = 0;

void EmptyDialogStack() {
  for (int i = 0; i < kDialogStackSize; ++i) {
    DialogStackWindows[i] = nullptr;
    DialogStackObjects[i] = nullptr;
  }
  StackCount = 0;
}

bool PushDialog(HWND window, fw::Dialog* dialog) {
  // The windows nest only a few deep; a full table must not be written past its end.
  if (StackCount >= kDialogStackSize - 1) return false;
  ++StackCount;
  DialogStackWindows[StackCount] = window;
  DialogStackObjects[StackCount] = dialog;
  return true;
}

void PopDialog() {
  if (StackCount > 0) --StackCount;
}
