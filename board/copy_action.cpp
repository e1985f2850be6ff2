// The copy action and Auto Paste.
#include "board/copy_action.h"

#include <windows.h>

#include "board/paste_decision.h"
#include "desktop/program_name.h"
#include "desktop/waits.h"
#include "state/board_state.h"

namespace {

constexpr int kForegroundTries = 50;
constexpr unsigned kPasteStepMs = 100;
constexpr unsigned kPasteSettleMs = 400;
constexpr int kCopyAttempts = 25;
constexpr unsigned kCopyRetryMs = 40;
constexpr DWORD kKeyHoldMs = 100;
constexpr const char* kPastePlease = "Copied. Press Ctrl+V to paste.";

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

// The mandatory label's level of a process's token, or kUnknownIntegrity.
long IntegrityLevelOf(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return kUnknownIntegrity;
  long level = kUnknownIntegrity;
  DWORD size = 0;
  GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
  // A label holds one SID of at most a few sub-authorities.
  alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[64];
  if (size > 0 && size <= sizeof(buffer) && GetTokenInformation(token, TokenIntegrityLevel, buffer, size, &size)) {
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    if (IsValidSid(sid) && *GetSidSubAuthorityCount(sid) > 0) {
      level = static_cast<long>(*GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1U));
    }
  }
  CloseHandle(token);
  return level;
}

long IntegrityLevelOfWindow(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  // The limited right is what Windows grants on a process of a higher level; Windows XP knows
  // only the full one.
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (process == nullptr) return kUnknownIntegrity;
  const long level = IntegrityLevelOf(process);
  CloseHandle(process);
  return level;
}

// No window has the foreground while it changes hands; Wine names its desktop window then.
bool IsPasteTarget(HWND foreground) {
  return foreground != nullptr && foreground != GetDesktopWindow() && foreground != PasteTarget &&
         foreground != BoardHandle;
}

// One key going down or up, by its virtual key and its scan code, as one input of its own.
bool SendKey(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return SendInput(1, &input, sizeof(INPUT)) == 1;
}

bool SendControlV() {
  bool sent = SendKey(VK_CONTROL, false);
  sent = sent && SendKey('V', false);
  Sleep(kKeyHoldMs);  // the key hold; the only wait that does not dispatch messages
  // Whatever went down comes up, or the user's next keys would all arrive with Ctrl.
  const bool vUp = SendKey('V', true);
  const bool controlUp = SendKey(VK_CONTROL, true);
  return sent && vUp && controlUp;
}

enum class PasteResult { Pasted, Refused, NoTarget };

PasteResult PasteIntoForegroundApplication() {
  for (int tries = 0; tries < kForegroundTries; ++tries) {
    PumpWait(kPasteStepMs, 0);
    HWND foreground = GetForegroundWindow();
    if (!IsPasteTarget(foreground)) continue;
    if (DecidePasteWay(IntegrityLevelOfWindow(foreground), IntegrityLevelOf(GetCurrentProcess())) ==
        PasteWay::TellUser) {
      return PasteResult::Refused;
    }
    PumpWait(kPasteStepMs, 0);
    return SendControlV() ? PasteResult::Pasted : PasteResult::Refused;
  }
  return PasteResult::NoTarget;
}

// The text is on the clipboard all the same: the user pastes it by hand.
void TellUserToPaste() {
  MessageBoxA(nullptr, kPastePlease, kProgramName, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
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
    const PasteResult result = PasteIntoForegroundApplication();
    if (result == PasteResult::Pasted && MinOnEachCopy == 0) {
      // A board restored at once takes the foreground back before the application has read the
      // keystrokes, and they are then lost; give it time to take them first.
      PumpWait(kPasteSettleMs, 0);
    }
    if (result == PasteResult::Refused) TellUserToPaste();
    if (MinOnEachCopy == 0 && BoardHandle != nullptr) ShowWindow(BoardHandle, SW_RESTORE);
  }
  FocusProjectCombo();
}
