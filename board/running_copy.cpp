// The hand-over between two copies of the program through Handles\TransHandle.
#include "board/running_copy.h"

#include "board/board_dialog.h"
#include "board/board_state.h"
#include "desktop/registry.h"
#include "desktop/settings.h"
#include "desktop/splash.h"
#include "desktop/waits.h"
#include "resources/resource.h"

namespace {

constexpr const char* kBoardProperty = "Kestrune.Varnel.Board";

int HandleAsNumber(HWND window) { return static_cast<int>(reinterpret_cast<LONG_PTR>(window)); }
HWND NumberAsHandle(int number) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(number)); }

}  // namespace

void MarkAsBoard(HWND board) { SetPropA(board, kBoardProperty, reinterpret_cast<HANDLE>(1)); }

bool IsVarnelBoard(HWND window) {
  return window != nullptr && IsWindow(window) && GetPropA(window, kBoardProperty) != nullptr;
}

bool RunningCopyCheck(BoardDialog& board) {
  for (int tries = 0; tries <= 2; ++tries) {
    PumpWait(50, 0);
    RunningCopyHandle = NumberAsHandle(RegReadInt(kHandlesKey, kTransHandleValue, 0));
    if (RunningCopyHandle != nullptr) break;
  }

  // A registration left behind by a copy that did not end normally may name a window that is
  // gone, or by now some other program's window, which must not receive our command.
  if (RunningCopyHandle != nullptr && RunningCopyHandle != BoardHandle && IsVarnelBoard(RunningCopyHandle)) {
    PostMessageA(RunningCopyHandle, WM_COMMAND, ID_HANDOVER_REQUEST, reinterpret_cast<LPARAM>(BoardHandle));
    for (int wait = 0; wait < 51; ++wait) {
      PumpWait(40, 0);
      if (HandoverAcknowledged == 1) {
        SplashHandOver(BoardHandle, 1, 0, 1);
        BoardClosing = 1;
        PrimaryCopy = 0;
        board.OnCancel();
        return true;
      }
    }
  }

  RegWriteInt(kHandlesKey, kTransHandleValue, HandleAsNumber(BoardHandle));
  return false;
}

void AnswerHandoverRequest(HWND askingBoard) {
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
