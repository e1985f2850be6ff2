// The tray icon and the ScreenTips as a user meets them. A click on the icon reaches the board as
// the icon's callback message, which the driver posts as the notification area would; whether
// the icon is there is asked of the notification area itself, and whether the board has a
// taskbar button of the window manager's list of managed windows, which a taskbar shows.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

constexpr UINT kTrayCallback = 32868;
constexpr UINT kUseTrayCommand = 32781;
constexpr UINT kRenameButtonsCommand = 32776;

void StartInTrayMode(BoardSession& session, const char* hideAtStartup = "0") {
  session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
  SetSetting("Options", "UseSystemTray", "1");
  SetSetting("Options", "HideInTrayOnStartup", hideAtStartup);
  SetSetting("Options", "AutoPaste", "0");
  SetSetting("Options", "WantToolTip", "0");
}

void PostTrayMouse(HWND board, UINT mouseMessage) { PostMessageA(board, kTrayCallback, 1, mouseMessage); }

// Asks the notification area whether the board's icon 1 is there: a change of nothing succeeds
// only for an icon that exists.
bool TrayIconExists(HWND board) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = board;
  data.uID = 1;
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// What a restarted shell does to the icons of the old one.
void RemoveIconBehindTheBoardsBack(HWND board) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = board;
  data.uID = 1;
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void PostTaskbarCreated(HWND board) { PostMessageA(board, RegisterWindowMessageA("TaskbarCreated"), 0, 0); }

std::string UnixPath(const std::string& windowsPath) {
  if (windowsPath.size() < 2 || (windowsPath[0] != 'Z' && windowsPath[0] != 'z') || windowsPath[1] != ':') return "";
  std::string path = windowsPath.substr(2);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// Whether the window manager lists the board among the windows a taskbar shows buttons for.
// Wine hands a Unix program no pipe, so xprop writes into a file that appears whole at its end.
bool HasTaskbarButton(HWND board, const std::string& folder) {
  const auto xWindow = reinterpret_cast<ULONG_PTR>(GetPropA(board, "__wine_x11_whole_window"));
  const std::string answer = folder + "clients.out";
  DeleteFileA(answer.c_str());
  RunAndCapture("/bin/sh -c \"/usr/bin/xprop -root _NET_CLIENT_LIST > '" + UnixPath(folder) +
                "clients.part' 2>&1; mv '" + UnixPath(folder) + "clients.part' '" + UnixPath(folder) + "clients.out'\"");
  if (xWindow == 0 || !WaitUntil([&] { return FileExists(answer); }, 10000)) {
    ADD_FAILURE() << "no answer from the window manager";
    return false;
  }
  // "_NET_CLIENT_LIST(WINDOW): window id # 0x400007, 0x600003"
  const std::string clients = ReadWholeFile(answer);
  const size_t list = clients.find('#');
  std::istringstream ids(list == std::string::npos ? std::string() : clients.substr(list + 1));
  std::string id;
  while (std::getline(ids, id, ',')) {
    if (std::strtoull(id.c_str(), nullptr, 16) == xWindow) return true;
  }
  return false;
}

// The board is up and its start-up has run to its end: the splash has gone. Until then the
// start-up's last waits take the driver's messages in the middle of it, and keys are lost.
bool StartSettled(BoardSession& session) {
  return session.Start() && WaitUntil(
                                [&] {
                                  for (HWND window : TopLevelWindowsOf(session.Program().id)) {
                                    if (window != session.Board() && IsWindowVisible(window)) return false;
                                  }
                                  return true;
                                },
                                10000);
}

bool Hidden(HWND board) { return !IsWindowVisible(board); }
bool ShownNormally(HWND board) { return IsWindowVisible(board) && !IsIconic(board); }

// Hidden with its taskbar button. The window manager's list follows the board's own state a
// moment later; a click before then would meet a window manager still minimising the board.
std::string State(HWND board, const std::string& folder) {
  return std::string(IsWindowVisible(board) ? "visible" : "hidden") + (IsIconic(board) ? ", minimised" : "") +
         (HasTaskbarButton(board, folder) ? ", with" : ", without") + " a taskbar button";
}

::testing::AssertionResult InTray(HWND board, const std::string& folder) {
  if (WaitUntil([&] { return Hidden(board); }, 5000) &&
      WaitUntil([&] { return !HasTaskbarButton(board, folder); }, 5000)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "the board is " << State(board, folder);
}
::testing::AssertionResult InTray(BoardSession& session) { return InTray(session.Board(), session.Folder()); }

::testing::AssertionResult OnScreen(HWND board, const std::string& folder) {
  if (WaitUntil([&] { return ShownNormally(board); }, 5000) &&
      WaitUntil([&] { return HasTaskbarButton(board, folder); }, 5000)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "the board is " << State(board, folder);
}
::testing::AssertionResult OnScreen(BoardSession& session) { return OnScreen(session.Board(), session.Folder()); }

HWND VisibleMenu(DWORD processId) {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (IsWindowVisible(window) && ClassName(window) == "#32768") return window;
  }
  return nullptr;
}

// The menu's texts live in the program: its first item, whose text and check mark follow
// ScreenTips, is there to look at in the screenshot.
void ShowHelpMenu(BoardSession& session, const std::string& shot) {
  if (!Activate(session.Board())) return;
  PressKey('H', {VK_MENU});
  if (WaitUntil([&] { return VisibleMenu(session.Program().id) != nullptr; }, 3000)) Screenshot(shot);
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  WaitUntil([&] { return VisibleMenu(session.Program().id) == nullptr; }, 3000);
}

BOOL CALLBACK FindToolTipOfThread(HWND window, LPARAM data) {
  if (ClassName(window) == "tooltips_class32") {
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  return TRUE;
}

// The board's tooltip control, or null.
HWND ToolTipOf(HWND board) {
  HWND found = nullptr;
  EnumThreadWindows(GetWindowThreadProcessId(board, nullptr), FindToolTipOfThread, reinterpret_cast<LPARAM>(&found));
  return found;
}

int ToolCount(HWND board) {
  HWND tip = ToolTipOf(board);
  return tip == nullptr ? 0 : static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
}

// A taskbar that is not there yet: a window of the taskbar's class that the notification-area
// calls find before the real one, and that takes no icon. Its own thread answers them.
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
  AbsentTaskbar() {
    std::atomic<bool> ready{false};
    thread_ = std::thread([this, &ready] {
      WNDCLASSA windowClass = {};
      windowClass.lpfnWndProc = RefusingTaskbarProc;
      windowClass.hInstance = GetModuleHandleA(nullptr);
      windowClass.lpszClassName = "Shell_TrayWnd";
      RegisterClassA(&windowClass);
      window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", nullptr, WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
      ready = true;
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    });
    while (!ready) Sleep(10);
  }
  ~AbsentTaskbar() { Arrive(); }
  AbsentTaskbar(const AbsentTaskbar&) = delete;
  AbsentTaskbar& operator=(const AbsentTaskbar&) = delete;

  bool FoundFirst() const {
    return window_ != nullptr && FindWindowExA(nullptr, nullptr, "Shell_TrayWnd", nullptr) == window_;
  }
  // The real taskbar is the one found from now on.
  void Arrive() {
    if (!thread_.joinable()) return;
    PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }

 private:
  std::thread thread_;
  HWND window_ = nullptr;
};

}  // namespace

TEST(Tray, MinimisingHidesTheBoardAndItsTaskbarButtonAndLeftClicksToggleIt) {
  BoardSession session("tray-minimise");
  StartInTrayMode(session);
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(board); }, 5000)) << "no icon in tray mode";
  ASSERT_TRUE(OnScreen(session));

  PostMessageA(board, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(InTray(session)) << "minimising left the board or its taskbar button";

  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(OnScreen(session)) << "a left click did not bring the board back";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == board; }, 5000));
  Screenshot("tray-restored");

  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(InTray(session)) << "a second left click did not hide the board";
  PostTrayMouse(board, WM_LBUTTONUP);
  EXPECT_TRUE(OnScreen(session));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Tray, OpenDialogGoesAndComesBackWithTheBoardAndKeepsTheIconMenuAway) {
  BoardSession session("tray-dialog");
  StartInTrayMode(session);
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  PostCommand(session, kRenameButtonsCommand);
  HWND dialog = WaitForWindowByCaption(session.Program().id, "Rename Buttons", 10000);
  ASSERT_NE(dialog, nullptr);

  PostTrayMouse(board, WM_RBUTTONUP);
  EXPECT_FALSE(WaitUntil([&] { return VisibleMenu(session.Program().id) != nullptr; }, 1500))
      << "the icon's menu opened over a dialog";

  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(InTray(session));
  EXPECT_FALSE(IsWindowVisible(dialog)) << "the dialog stayed on screen without its board";
  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(OnScreen(session));
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 5000))
      << "the front window is \"" << WindowText(GetForegroundWindow()) << "\"";
  Screenshot("tray-dialog-restored");

  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Tray, ExitFromTheIconMenuSavesAndEndsLikeFileExit) {
  BoardSession session("tray-exit");
  StartInTrayMode(session);
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  SetText(session.Item(1071 + 2 * 7), "typed before leaving through the tray");

  PostTrayMouse(board, WM_RBUTTONUP);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (menu = VisibleMenu(session.Program().id)) != nullptr; }, 5000))
      << "a right click opened no menu";
  Screenshot("tray-menu");
  // Its single item, "E&xit Varnel", fills the menu.
  Click(menu);
  ASSERT_TRUE(WaitForExit(session.Program(), 15000)) << "the board did not end";
  const std::string saved = ReadWholeFile(session.Folder() + "Letters.vrl");
  ASSERT_EQ(saved.size(), kProjectBytes);
  EXPECT_EQ(TextInFile(saved, 7), "typed before leaving through the tray");
  EXPECT_EQ(GetSetting("Handles", "TransHandle"), "0");
}

TEST(Tray, TurningTheOptionOffRemovesTheIconAndMinimisingKeepsTheTaskbarButton) {
  BoardSession session("tray-off");
  StartInTrayMode(session);
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(board); }, 5000));

  PostCommand(session, kUseTrayCommand);
  ASSERT_TRUE(WaitUntil([&] { return !TrayIconExists(board); }, 5000)) << "the icon stayed";
  PostMessageA(board, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(board); }, 5000));
  EXPECT_TRUE(IsWindowVisible(board));
  EXPECT_TRUE(HasTaskbarButton(board, session.Folder()));
  // A click from an icon that is gone changes nothing.
  PostTrayMouse(board, WM_LBUTTONUP);
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_TRUE(IsIconic(board));
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(GetSetting("Options", "UseSystemTray"), "0");
}

TEST(Tray, HideInTrayAtStartupHidesTheBoardOnlyWithUseTray) {
  {
    BoardSession session("tray-hide-at-start");
    StartInTrayMode(session, "1");
    ASSERT_TRUE(session.Launch());
    HWND board = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (board = FindWindowByCaption(session.Program().id, "Varnel >", false)) != nullptr; }, 15000));
    ASSERT_TRUE(WaitUntil([&] { return Hidden(board) && TrayIconExists(board); }, 15000))
        << "the board did not go into the tray";
    EXPECT_TRUE(InTray(board, session.Folder()));
    PostTrayMouse(board, WM_LBUTTONUP);
    EXPECT_TRUE(OnScreen(board, session.Folder()));
    EXPECT_TRUE(CloseBoard(board));
  }
  {
    BoardSession session("tray-hide-at-start-no-tray");
    StartInTrayMode(session, "1");
    SetSetting("Options", "UseSystemTray", "0");
    ASSERT_TRUE(StartSettled(session));
    EXPECT_TRUE(StaysOpen(session, 2500)) << "the board left the screen without the tray option";
    EXPECT_FALSE(TrayIconExists(session.Board()));
    EXPECT_TRUE(session.CloseAndWait());
  }
}

TEST(Tray, WithoutATaskbarAtStartTheBoardStaysReachableAndHidesOnceTheIconIsIn) {
  AbsentTaskbar absent;
  ASSERT_TRUE(absent.FoundFirst()) << "the stand-in taskbar is not the one the board would find";
  BoardSession session("tray-no-taskbar");
  StartInTrayMode(session, "1");
  const int refusedBefore = refusedIcons;
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  ASSERT_TRUE(WaitUntil([&] { return refusedIcons > refusedBefore; }, 5000)) << "the board never offered its icon";
  EXPECT_FALSE(WaitUntil([&] { return !ShownNormally(board); }, 2500)) << "the board left with no icon to bring it back";

  // Minimising cannot hide it either: it becomes an ordinary minimised window.
  PostMessageA(board, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(board); }, 5000));
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_TRUE(IsWindowVisible(board));
  PostMessageA(board, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(OnScreen(session));

  absent.Arrive();
  EXPECT_FALSE(TrayIconExists(board));
  PostTaskbarCreated(board);
  ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(board); }, 5000)) << "the icon did not come with the taskbar";
  EXPECT_TRUE(InTray(session)) << "the waiting hide did not happen";
  PostTrayMouse(board, WM_LBUTTONUP);
  EXPECT_TRUE(OnScreen(session));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Tray, TaskbarCreatedPutsTheIconBack) {
  BoardSession session("tray-taskbar-created");
  StartInTrayMode(session);
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(board); }, 5000));

  RemoveIconBehindTheBoardsBack(board);
  ASSERT_FALSE(TrayIconExists(board));
  PostTaskbarCreated(board);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(board); }, 5000)) << "the icon did not come back";

  // Announced while the icon is still there, it stays, and minimising still hides the board.
  PostTaskbarCreated(board);
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_TRUE(TrayIconExists(board));
  PostMessageA(board, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(InTray(session));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(ScreenTips, CtrlTSwitchesTheControlWithItsToolsOnAndOffAgain) {
  BoardSession session("tips-toggle");
  StartInTrayMode(session);
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  EXPECT_EQ(ToolTipOf(board), nullptr) << "a tooltip control while ScreenTips are off";
  ShowHelpMenu(session, "tips-help-menu-off");

  ASSERT_TRUE(Activate(board));
  PressKey('T', {VK_CONTROL});
  ASSERT_TRUE(WaitUntil([&] { return ToolCount(board) == 135; }, 5000)) << ToolCount(board) << " tools";
  ShowHelpMenu(session, "tips-help-menu-on");
  HWND tip = ToolTipOf(board);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 100);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 100);
  EXPECT_EQ(SendMessageA(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 30000);
  EXPECT_EQ(SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);

  ASSERT_TRUE(Activate(board));
  PressKey('T', {VK_CONTROL});
  EXPECT_TRUE(WaitUntil([&] { return ToolTipOf(board) == nullptr; }, 5000)) << "the control outlived Ctrl+T";
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(GetSetting("Options", "WantToolTip"), "0");
}

TEST(ScreenTips, PointerRestingOnACopyButtonShowsItsTipWrapped) {
  BoardSession session("tips-pointer");
  StartInTrayMode(session);
  SetSetting("Options", "UseSystemTray", "0");
  SetSetting("Options", "WantToolTip", "1");
  ASSERT_TRUE(StartSettled(session));
  HWND board = session.Board();
  ASSERT_EQ(ToolCount(board), 135);
  ASSERT_TRUE(Activate(board));

  HWND button = session.Item(1070 + 2 * 12);
  const RECT rect = WindowRectOnScreen(button);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  INPUT nudge = {};
  nudge.type = INPUT_MOUSE;
  nudge.mi.dx = 1;
  nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &nudge, sizeof(nudge));
  HWND tip = ToolTipOf(board);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tip); }, 5000)) << "no tip under a resting pointer";
  EXPECT_EQ(WindowText(tip).rfind("Select this button to copy text into the Windows clipboard.", 0), 0u)
      << WindowText(tip);
  const RECT shown = WindowRectOnScreen(tip);
  EXPECT_LE(shown.right - shown.left, 340) << "not wrapped to 300 pixels";
  EXPECT_GT(shown.bottom - shown.top, 60) << "a long tip on a single line";
  Screenshot("tips-copy-button");
  EXPECT_TRUE(session.CloseAndWait());
}
