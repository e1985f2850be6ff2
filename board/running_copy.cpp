// The hand-over between two copies of the program through Handles\TransHandle.
#include "board/running_copy.h"

#include "board/board_dialog.h"
#include "desktop/program_name.h"
#include "desktop/registry.h"
#include "desktop/settings_keys.h"
#include "desktop/splash.h"
#include "desktop/waits.h"
#include "resources/resource.h"
#include "state/board_state.h"

namespace {

constexpr const char* kBoardProperty = kBoardWindowProperty;
constexpr const char* kClosingProperty = "Kestrune.Varnel.Closing";
constexpr unsigned kClosingPollMs = 100;

int HandleAsNumber(HWND window) { return static_cast<int>(reinterpret_cast<LONG_PTR>(window)); }
HWND NumberAsHandle(int number) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(number)); }

bool IsClosingBoard(HWND window) { return IsVarnelBoard(window) && GetPropA(window, kClosingProperty) != nullptr; }

// The closing board may still be saving its project and the settings; this copy must not load
// them before it is done. The closing board may be waiting for the user to name a file, so
// there is no limit: it ends when the user has answered.
void WaitWhileClosing(HWND board) {
  while (IsClosingBoard(board)) PumpWait(kClosingPollMs, 1);
}

HWND ReadRegistration() {
  HWND registered = nullptr;
  for (int tries = 0; tries <= 2 && registered == nullptr; ++tries) {
    PumpWait(50, 0);
    registered = NumberAsHandle(RegReadInt(kHandlesKey, kTransHandleValue, 0));
  }
  return registered;
}

bool WaitForAcknowledgement() {
  for (int wait = 0; wait < 51; ++wait) {
    PumpWait(40, 0);
    if (HandoverAcknowledged == 1) return true;
  }
  return false;
}

}  // namespace

void MarkAsBoard(HWND board) { SetPropA(board, kBoardProperty, reinterpret_cast<HANDLE>(1)); }

bool IsVarnelBoard(HWND window) {
  return window != nullptr && IsWindow(window) && GetPropA(window, kBoardProperty) != nullptr;
}

void MarkBoardClosing(HWND board, bool closing) {
  if (closing) {
    SetPropA(board, kClosingProperty, reinterpret_cast<HANDLE>(1));
  } else {
    RemovePropA(board, kClosingProperty);
  }
}

bool RunningCopyCheck(BoardDialog& board) {
  for (;;) {
    RunningCopyHandle = ReadRegistration();
    // A registration left behind by a copy that did not end normally may name a window that is
    // gone, or by now some other program's window, which must not receive our command.
    if (RunningCopyHandle == nullptr || RunningCopyHandle == BoardHandle || !IsVarnelBoard(RunningCopyHandle)) break;
    if (IsClosingBoard(RunningCopyHandle)) {
      WaitWhileClosing(RunningCopyHandle);
      continue;
    }
    // A board running as administrator does not take commands from this one (Windows refuses the
    // post): it keeps other copies of the texts, so this copy starts on its own without waiting.
    const bool posted =
        PostMessageA(RunningCopyHandle, WM_COMMAND, ID_HANDOVER_REQUEST, reinterpret_cast<LPARAM>(BoardHandle)) != 0;
    if (posted && WaitForAcknowledgement()) {
      SplashHandOver(BoardHandle, 1, 0, 1);
      BoardClosing = 1;
      PrimaryCopy = 0;
      board.OnCancel();
      return true;
    }
    // A board that began closing while we asked does not answer; wait for it as above.
    if (!IsClosingBoard(RunningCopyHandle)) break;
    WaitWhileClosing(RunningCopyHandle);
  }

  RegWriteInt(kHandlesKey, kTransHandleValue, HandleAsNumber(BoardHandle));
  return false;
}

void AnswerHandoverRequest(HWND askingBoard) {
  // A closing board is going away: the asking copy must start on its own once it has gone.
  if (ShuttingDown != 0 || BoardClosing != 0) return;
  if (IsVarnelBoard(askingBoard)) PostMessageA(askingBoard, WM_COMMAND, ID_HANDOVER_ACKNOWLEDGE, 0);
  // Shown before it is centred: a minimised window would only move its icon.
  ShowWindow(BoardHandle, SW_SHOWNORMAL);
  fw::CenterOnDesktop(BoardHandle);
}

void AcknowledgeHandover() { HandoverAcknowledged = 1; }

void EndRunningCopy() {
  if (PrimaryCopy == 1) {
    // Two copies started at the same moment can both register; the one that lost must not
    // erase the winner's registration when it ends.
    const int registered = RegReadInt(kHandlesKey, kTransHandleValue, 0);
    if (registered == HandleAsNumber(BoardHandle) || registered == 0) {
      RegWriteInt(kHandlesKey, kTransHandleValue, 0);
    }
  } else if (RunningCopyHandle != nullptr) {
    SetForegroundWindow(RunningCopyHandle);
  }
}
