// The copy action and Auto Paste.
#include "board/copy_action.h"

#include <windows.h>

#include "board/board_dialog.h"
#include "board/board_layout.h"
#include "board/board_state.h"
#include "desktop/waits.h"

namespace {

constexpr int kForegroundTries = 50;
constexpr unsigned kPasteStepMs = 100;
constexpr int kClipboardRetries = 20;
constexpr unsigned kClipboardRetryMs = 50;

// The field copies its own selection. Another program holding the clipboard open makes that fail
// without a word, and a paste would then insert whatever the clipboard held before; so the copy
// is checked by the clipboard's sequence number and tried again for about a second.
bool CopyFieldToClipboard(HWND field) {
  const bool hasText = GetWindowTextLengthA(field) > 0;
  for (int attempt = 0; attempt <= kClipboardRetries; ++attempt) {
    const DWORD before = GetClipboardSequenceNumber();
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_COPY, 0, 0);
    // An empty field has nothing to copy; the clipboard keeps what it held.
    if (!hasText || GetClipboardSequenceNumber() != before) return true;
    PumpWait(kClipboardRetryMs, 0);
  }
  return false;
}

void PasteIntoForegroundApplication() {
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
      return;
    }
  }
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
    PasteIntoForegroundApplication();
    if (MinOnEachCopy == 0 && BoardHandle != nullptr) ShowWindow(BoardHandle, SW_RESTORE);
  }
  FocusProjectCombo();
}
