// The tray icon and the ScreenTips as a user meets them. The driver posts the icon's callback
// message as the notification area does for a click; whether the icon is there is asked of the
// notification area, and whether the board has a taskbar button of the window manager's list of
// managed windows, which is what a taskbar shows.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

void PrepareTray(BoardSession& session, const char* useTray, const char* hideAtStartup, const char* tips) {
  session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
  SetSetting("Options", "UseSystemTray", useTray);
  SetSetting("Options", "HideInTrayOnStartup", hideAtStartup);
  SetSetting("Options", "WantToolTip", tips);
  SetSetting("Options", "AutoPaste", "0");
}

// Once the splash has gone the start-up has run to its end; before, its last waits would take
// the driver's messages in the middle of it, and keys would be lost.
bool StartSettled(BoardSession& session) {
  auto onlyBoard = [&] {
    for (HWND window : TopLevelWindowsOf(session.Program().id)) {
      if (window != session.Board() && IsWindowVisible(window)) return false;
    }
    return true;
  };
  return session.Start() && WaitUntil(onlyBoard, 10000);
}

void PostTrayMouse(HWND board, UINT mouseMessage) { PostMessageA(board, 32868, 1, mouseMessage); }
void PostTaskbarCreated(HWND board) { PostMessageA(board, RegisterWindowMessageA("TaskbarCreated"), 0, 0); }

// NIM_MODIFY changing nothing succeeds only for an icon that is there; NIM_DELETE is what a
// restarted shell does to the old icons.
bool TrayIcon(HWND board, DWORD operation) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = board;
  data.uID = 1;
  return Shell_NotifyIconA(operation, &data) != FALSE;
}
bool TrayIconExists(HWND board) { return TrayIcon(board, NIM_MODIFY); }

// The notification area shows an icon's balloon as a tooltip window of its own process.
BOOL CALLBACK NoteVisibleBalloon(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && ClassName(window) == TOOLTIPS_CLASSA) *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}
HWND VisibleBalloonOutside(DWORD processId) {
  HWND found = nullptr;
  EnumWindows(NoteVisibleBalloon, reinterpret_cast<LPARAM>(&found));
  DWORD owner = 0;
  if (found != nullptr) GetWindowThreadProcessId(found, &owner);
  return owner != processId ? found : nullptr;
}

// 1 or 0; -1 when the window manager did not answer. Wine hands a Unix program no pipe: xprop
// writes into a file that appears whole at its end.
int HasTaskbarButton(HWND board, const std::string& folder) {
  std::string unixFolder = folder.substr(2);  // the scratch folders are on Z:, the root
  for (char& c : unixFolder) c = c == '\\' ? '/' : c;
  const std::string answer = folder + "clients.out";
  DeleteFileA(answer.c_str());
  RunAndCapture("/bin/sh -c \"/usr/bin/xprop -root _NET_CLIENT_LIST > '" + unixFolder + "clients.part'; mv '" +
                unixFolder + "clients.part' '" + unixFolder + "clients.out'\"");
  if (!WaitUntil([&] { return FileExists(answer); }, 10000)) return -1;
  // "_NET_CLIENT_LIST(WINDOW): window id # 0x400007, 0x600003"
  const std::string clients = ReadWholeFile(answer);
  std::istringstream ids(clients.substr(std::min(clients.find('#') + 1, clients.size())));
  const auto xWindow = reinterpret_cast<ULONG_PTR>(GetPropA(board, "__wine_x11_whole_window"));
  for (std::string id; std::getline(ids, id, ',');) {
    if (std::strtoull(id.c_str(), nullptr, 16) == xWindow) return 1;
  }
  return 0;
}

// The window manager's list follows a moment after the board: a click before then would meet a
// window manager still minimising it.
bool InTray(HWND board, const std::string& folder) {
  return WaitUntil([&] { return !IsWindowVisible(board); }, 5000) &&
         WaitUntil([&] { return HasTaskbarButton(board, folder) == 0; }, 5000);
}
bool OnScreen(HWND board, const std::string& folder) {
  return WaitUntil([&] { return IsWindowVisible(board) && !IsIconic(board); }, 5000) &&
         WaitUntil([&] { return HasTaskbarButton(board, folder) == 1; }, 5000);
}

HWND VisibleMenu(DWORD processId) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (IsWindowVisible(window) && ClassName(window) == "#32768") return window;
  }
  return nullptr;
}

BOOL CALLBACK FindToolTip(HWND window, LPARAM found) {
  if (ClassName(window) != "tooltips_class32") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}
HWND ToolTipOf(HWND board) {
  HWND found = nullptr;
  EnumThreadWindows(GetWindowThreadProcessId(board, nullptr), FindToolTip, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The Help menu's first item follows ScreenTips; menus cannot be read from outside, so it is
// photographed to be looked at.
void PhotographHelpMenu(BoardSession& session, const std::string& name) {
  if (!Activate(session.Board())) return;
  PressKey('H', {VK_MENU});
  if (WaitUntil([&] { return VisibleMenu(session.Program().id) != nullptr; }, 3000)) Screenshot(name);
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  WaitUntil([&] { return VisibleMenu(session.Program().id) == nullptr; }, 3000);
}

// A taskbar that is not there yet: a window of the taskbar's class, found before the real one,
// that takes no icon. Its own thread answers the board's calls.
std::atomic<int> refusedIcons{0};
LRESULT CALLBACK RefusingTaskbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    ++refusedIcons;
    return FALSE;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

class AbsentTaskbar {
 public:
  AbsentTaskbar() : thread_([this] { Run(); }) {
    while (!ready_) Sleep(10);
  }
  ~AbsentTaskbar() { Arrive(); }
  bool FoundFirst() const { return FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr) == window_; }
  // From now on the real taskbar is found.
  void Arrive() {
    if (!thread_.joinable()) return;
    PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }

 private:
  void Run() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RefusingTaskbarProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(WS_EX_TOPMOST, "Shell_TrayWnd", nullptr, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    ready_ = true;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  }
  std::atomic<bool> ready_{false};
  HWND window_ = nullptr;
  std::thread thread_;
};

}  // namespace

TEST(Tray, MinimiseAndLeftClicksHideAndRestoreTheBoardWithItsDialogAndTheMenuExitSaves) {
  BoardSession session("tray");
  PrepareTray(session, "1", "0", "0");
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  const std::string& folder = session.Folder();
  ASSERT_TRUE(TrayIconExists(board));
  ASSERT_TRUE(OnScreen(board, folder));

  PostMessageA(board, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(InTray(board, folder)) << "minimising left the board or its taskbar button";
  // The first hide in the tray: a balloon from the icon says where the board went.
  EXPECT_TRUE(WaitUntil([&] { return VisibleBalloonOutside(session.Program().id) != nullptr; }, 5000))
      << "no balloon from the icon";
  Screenshot("tray-balloon");
  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(OnScreen(board, folder)) << "a left click did not bring the board back";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == board; }, 5000));
  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(InTray(board, folder)) << "a second left click did not hide the board";

  // With a dialog open: no menu; the clicks take the dialog along and bring it, not the board,
  // to the front.
  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(OnScreen(board, folder));
  PostCommand(session, 32776);
  HWND dialog = WaitForWindowByCaption(session.Program().id, "Rename Buttons", 10000);
  ASSERT_NE(dialog, nullptr);
  PostTrayMouse(board, WM_RBUTTONUP);
  EXPECT_FALSE(WaitUntil([&] { return VisibleMenu(session.Program().id) != nullptr; }, 1500)) << "a menu";
  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(InTray(board, folder));
  EXPECT_FALSE(IsWindowVisible(dialog)) << "the dialog stayed without its board";
  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(OnScreen(board, folder));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000)) << WindowText(GetForegroundWindow());
  Screenshot("tray-dialog-restored");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));

  SetText(session.Item(1071 + 2 * 7), "typed before leaving through the tray");
  PostTrayMouse(board, WM_RBUTTONUP);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (menu = VisibleMenu(session.Program().id)) != nullptr; }, 5000)) << "no menu";
  Screenshot("tray-menu");
  Click(menu);  // its one item, "E&xit Varnel", fills it
  ASSERT_TRUE(WaitForExit(session.Program(), 15000)) << "the board did not end";
  const std::string saved = ReadWholeFile(session.Folder() + "Letters.vrl");
  ASSERT_EQ(saved.size(), kProjectBytes);
  EXPECT_EQ(TextInFile(saved, 7), "typed before leaving through the tray");
}

TEST(Tray, TurningTheOptionOffRemovesTheIconAndMinimisingKeepsTheTaskbarButton) {
  BoardSession session("tray-off");
  PrepareTray(session, "1", "0", "0");
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  ASSERT_TRUE(TrayIconExists(board));
  PostCommand(session, 32781);
  ASSERT_TRUE(WaitUntil([&] { return !TrayIconExists(board); }, 5000)) << "the icon stayed";
  PostMessageA(board, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(board); }, 5000));
  // A click from the icon that is gone changes nothing.
  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_TRUE(IsIconic(board) && IsWindowVisible(board));
  EXPECT_EQ(HasTaskbarButton(board, session.Folder()), 1);
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Tray, HideInTrayAtStartupHidesTheBoardOnlyWithUseTray) {
  for (const char* useTray : {"1", "0"}) {
    SCOPED_TRACE(useTray);
    BoardSession session(std::string("tray-hide-at-start-") + useTray);
    PrepareTray(session, useTray, "1", "0");
    ASSERT_TRUE(session.Launch());
    HWND board = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (board = FindWindowByCaption(session.Program().id, "Varnel >", false)) != nullptr; }, 15000));
    if (*useTray == '1') {
      EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(board); }, 15000));
      EXPECT_TRUE(InTray(board, session.Folder())) << "the board did not go into the tray";
      PostTrayMouse(board, WM_LBUTTONUP);
      EXPECT_TRUE(OnScreen(board, session.Folder()));
    } else {
      ASSERT_NE(session.WaitForBoardWindow(), nullptr);
      EXPECT_TRUE(StaysOpen(session, 2500)) << "the board left the screen without the tray option";
      EXPECT_FALSE(TrayIconExists(board));
    }
    EXPECT_TRUE(CloseBoard(board));
  }
}

TEST(Tray, WithoutATaskbarAtStartTheBoardStaysUpUntilTheIconIsInAndAnAnnouncedTaskbarGetsItAgain) {
  AbsentTaskbar absent;
  ASSERT_TRUE(absent.FoundFirst()) << "the stand-in is not the taskbar the board would find";
  BoardSession session("tray-no-taskbar");
  PrepareTray(session, "1", "1", "0");
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  ASSERT_GT(refusedIcons, 0) << "the board never offered its icon";
  EXPECT_FALSE(WaitUntil([&] { return !IsWindowVisible(board) || IsIconic(board); }, 2500)) << "it left the screen";
  // Minimising cannot hide it either: it becomes an ordinary minimised window.
  PostMessageA(board, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(board); }, 5000));
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_TRUE(IsWindowVisible(board));
  PostMessageA(board, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(OnScreen(board, session.Folder()));

  absent.Arrive();
  PostTaskbarCreated(board);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(board); }, 5000)) << "no icon with the taskbar";
  EXPECT_TRUE(InTray(board, session.Folder())) << "the waiting hide did not come";

  // A shell that restarts loses the icons; one announced while the icon is still there keeps it.
  TrayIcon(board, NIM_DELETE);
  PostTaskbarCreated(board);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(board); }, 5000)) << "the icon did not come back";
  PostTaskbarCreated(board);
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_TRUE(TrayIconExists(board));
  PostTrayMouse(board, WM_LBUTTONUP);
  EXPECT_TRUE(OnScreen(board, session.Folder()));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(ScreenTips, RestingPointerShowsACopyButtonsTipAndCtrlTTwiceSwitchesTheControlOffAndOn) {
  BoardSession session("tips");
  PrepareTray(session, "0", "0", "1");
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  HWND tip = ToolTipOf(board);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 135);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 100);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 100);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 30000);
  EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);

  ASSERT_TRUE(Activate(board));
  const RECT button = WindowRectOnScreen(session.Item(1070 + 2 * 12));
  SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  INPUT nudge = {};
  nudge.type = INPUT_MOUSE;
  nudge.mi.dx = 1;
  nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &nudge, sizeof(nudge));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tip); }, 5000)) << "no tip under a resting pointer";
  EXPECT_EQ(WindowText(tip).rfind("Select this button to copy text into the Windows clipboard.", 0), 0u)
      << WindowText(tip);
  const RECT shown = WindowRectOnScreen(tip);
  EXPECT_LE(shown.right - shown.left, 340) << "not wrapped at 300 pixels";
  EXPECT_GT(shown.bottom - shown.top, 60) << "the long tip on one line";
  Screenshot("tips-copy-button");
  PhotographHelpMenu(session, "tips-help-menu-on");

  ASSERT_TRUE(Activate(board));
  PressKey('T', {VK_CONTROL});
  EXPECT_TRUE(WaitUntil([&] { return ToolTipOf(board) == nullptr; }, 5000)) << "the control outlived Ctrl+T";
  PhotographHelpMenu(session, "tips-help-menu-off");
  ASSERT_TRUE(Activate(board));
  PressKey('T', {VK_CONTROL});
  EXPECT_TRUE(WaitUntil([&] { return (tip = ToolTipOf(board)) != nullptr; }, 5000)) << "Ctrl+T made no control";
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 135);
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(GetSetting("Options", "WantToolTip"), "1");
}
