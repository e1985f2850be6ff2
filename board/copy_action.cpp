// The copy action and Auto Paste.
#include "board/copy_action.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "desktop/waits.h"
#include "state/board_state.h"

namespace {

constexpr int kForegroundTries = 50;
constexpr unsigned kPasteStepMs = 100;
constexpr unsigned kPasteSettleMs = 400;
constexpr int kCopyAttempts = 5;
constexpr int kLooksPerAttempt = 10;
constexpr unsigned kLookIntervalMs = 20;

// True when the clipboard can be read and holds exactly text.
bool ClipboardHolds(const std::vector<char>& text) {
  if (!OpenClipboard(BoardHandle)) return false;
  bool same = false;
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* chars = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (chars != nullptr) {
    same = std::strcmp(chars, text.data()) == 0;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return same;
}

// The field copies its own selection. Another program holding the clipboard open makes that fail
// without a word, and a paste would then insert whatever the clipboard held before; so the copy
// is checked by reading the clipboard back, and tried again for about a second.
bool CopyFieldToClipboard(HWND field) {
  const int length = GetWindowTextLengthA(field);
  // An empty field has nothing to copy; the clipboard keeps what it held.
  if (length <= 0) {
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_COPY, 0, 0);
    return true;
  }
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(field, text.data(), length + 1);
  for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_COPY, 0, 0);
    // The system may itself hold the clipboard for a moment after a copy (to hand the text on
    // to other programs), so the result is looked for a few times before copying again.
    for (int look = 0; look < kLooksPerAttempt; ++look) {
      if (ClipboardHolds(text)) return true;
      PumpWait(kLookIntervalMs, 0);
    }
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
