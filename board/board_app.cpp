// Application start-up, the Ctrl-key shortcuts and the restart after IDOK.
#include "board/board_app.h"

#include <cstdio>
#include <cstring>

#include "board/board_dialog.h"
#include "board/shortcut_table.h"
#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "desktop/splash.h"
#include "desktop/system_code_page.h"
#include "resources/resource.h"
#include "state/board_state.h"
#include "state/dialog_stack.h"

namespace {

constexpr const char* kNewSessionArgument = "NewSession";

}  // namespace

bool BoardApp::InitInstance() {
  UseSystemCodePage();
  TrayIcon = static_cast<HICON>(LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_TRAY), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  CopyBounded(CommandLineCopy, CommandLine(), sizeof(CommandLineCopy));
  NewSessionStart = EqualIgnoringCase(CommandLineCopy, kNewSessionArgument) ? 1 : 0;

  // Creating the board's window with its 140 controls takes longer than showing a window: the
  // splash comes first, so that it appears as soon as a program can show anything, and the
  // board's start-up adopts it. After installation the greeting still comes before the splash.
  if (!StartedByInstaller()) ShowSplashEarly();

  BoardDialog* board = new BoardDialog();
  const INT_PTR result = board->RunModal(nullptr);

  if (result == IDOK) {
    SetCurrentDirectoryA(ProgramFolder);
    char restart[kPathSize + 64];
    std::snprintf(restart, sizeof(restart), "%s\\%s %s", ProgramFolder, kBoardProgramFile, kNewSessionArgument);
    WinExec(restart, SW_SHOW);
  }

  delete board;
  return false;
}

bool BoardApp::ProcessMessageFilter(int code, MSG* msg) {
  if (msg->message == WM_KEYDOWN && (GetKeyState(VK_CONTROL) & 0x8000) != 0 && StackCount >= 1 &&
      DialogStackWindows[StackCount] == BoardHandle) {
    const unsigned command = ShortcutCommand(static_cast<unsigned>(msg->wParam));
    if (command != 0) {
      fw::Dialog* top = DialogStackObjects[StackCount];
      if (top != nullptr && top->Handle() != nullptr) PostMessageA(top->Handle(), WM_COMMAND, command, 0);
      return true;
    }
  }
  return App::ProcessMessageFilter(code, msg);
}
