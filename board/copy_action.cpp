// The copy action and Auto Paste.
#include "board/copy_action.h"

#include <windows.h>

#include "desktop/waits.h"
#include "state/board_state.h"

namespace {

constexpr int kForegroundTries = 50;
constexpr unsigned kPasteStepMs = 100;
constexpr unsigned kPasteSettleMs = 400;
constexpr int kCopyAttempts = 25;
constexpr unsigned kCopyRetryMs = 40;

// True when the field's own copy has replaced the clipboard since it showed sequence: the
// clipboard changed and belongs to the field, and a field empties the clipboard only to copy.
// Reading the text back would tell as much, but under Wine every GetClipboardData call of the
// clipboard's owner keeps 1 KB of memory for good, which a board left running adds up.
bool CopiedSince(HWND field, DWORD sequence) {
  return GetClipboardSequenceNumber() != sequence && GetClipboardOwner() == field;
}

// The field copies its own selection. Another program holding the clipboard open makes that fail
// without a word, and a paste would then insert whatever the clipboard held before; so the copy
// is checked, and tried again for about a second.
bool CopyFieldToClipboard(HWND field) {
  // An empty field has nothing to copy; the clipboard keeps what it held.
  if (GetWindowTextLengthA(field) <= 0) {
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_COPY, 0, 0);
    return true;
  }
  for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
    const DWORD sequence = GetClipboardSequenceNumber();
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_COPY, 0, 0);
    if (CopiedSince(field, sequence)) return true;
    PumpWait(kCopyRetryMs, 0);
  }
  return false;
}

// Returns true when Ctrl+V was sent.
bool PasteIntoForegroundApplication() {
  for (int tries = 0; tries < kForegroundTries; ++tries) {
    PumpWait(kPasteStepMs, 0);
    HWND foreground = GetForegroundWindow();
    if (foreground != PasteTarget && foreground != BoardHandle) {
      PumpWait(kPasteStepMs, 0);
      keybd_event(VK_CONTROL, 0, 0, 0);
      keybd_event('V', 0, 0, 0);
      Sleep(100);  // the key hold; the only wait that does not dispatch messages
      keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
      keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
      return true;
    }
  }
  return false;
}

}  // namespace

void CopyAction(int button) {
  const int field = TextFieldOfButton(button);
  CurrentField = field;
  const bool copied = CopyFieldToClipboard(GetDlgItem(BoardHandle, field));
  if (!copied) {
    MessageBeep(MB_ICONEXCLAMATION);
    FocusProjectCombo();
    return;
  }

  if (AutoPaste == 1) PasteTarget = GetForegroundWindow();
  if (MinOnEachCopy == 1 || AutoPaste == 1) ShowWindow(BoardHandle, SW_MINIMIZE);
  if (AutoPaste == 1) {
    if (PasteIntoForegroundApplication() && MinOnEachCopy == 0) {
      // A board restored at once takes the foreground back before the application has read the
      // keystrokes, and they are then lost; give it time to take them first.
      PumpWait(kPasteSettleMs, 0);
    }
    if (MinOnEachCopy == 0 && BoardHandle != nullptr) ShowWindow(BoardHandle, SW_RESTORE);
  }
  FocusProjectCombo();
}
