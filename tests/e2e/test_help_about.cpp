// The help topics window and the About box as a user meets them: opened from the board's Help
// menu and with Ctrl+A, read, and closed again.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "desktop/windows_name.h"
#include "dialogs/help_topics.h"
#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

constexpr int kHelpText = 1142;
constexpr int kHelpDone = 1141;
constexpr int kAboutText = 1143;

// A board with a project of its own, its tray icon off so that no tray window takes the foreground.
bool StartBoard(BoardSession& session) {
  session.UseCurrentProject("Help.vrl", TaggedProject("H"));
  SetSetting("Options", "UseSystemTray", "0");
  return session.Start();
}

HWND OpenFromMenu(BoardSession& session, UINT command, const std::string& caption) {
  if (!ChooseMenuCommand(session.Board(), ProgramPath(), command)) return nullptr;
  return WaitForWindowByCaption(session.Program().id, caption, 5000);
}

std::string Overview() {
  std::string text;
  for (int number = 1; number <= kOverviewTopicCount; ++number) text += HelpTopicText(number);
  return text;
}

// Windows keeps an owned window above its owner: a window owned by whoever asked for it cannot
// fall behind that window.
HWND OwnerOf(HWND window) { return GetWindow(window, GW_OWNER); }

bool ClosesWithin(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

// The pixels of the caret's place, read from the screen.
std::string CaretPixels(HWND window, const RECT& caret) {
  POINT corner = {caret.left, caret.top};
  ClientToScreen(window, &corner);
  HDC screen = GetDC(nullptr);
  std::string pixels;
  for (int y = 0; y < caret.bottom - caret.top; ++y) {
    for (int x = 0; x < std::max(caret.right - caret.left, 1L); ++x) {
      pixels += std::to_string(GetPixel(screen, corner.x + x, corner.y + y)) + " ";
    }
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

// A shown caret blinks: its place changes within a few blink periods; a hidden one never does.
bool CaretBlinks(HWND window) {
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof(gui);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui) || gui.hwndCaret != window) return false;
  const std::string first = CaretPixels(window, gui.rcCaret);
  return WaitUntil([&] { return CaretPixels(window, gui.rcCaret) != first; }, 3 * GetCaretBlinkTime());
}

DWORD Selection(HWND edit) { return static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0)); }

// The version this Wine really is. GetVersionEx in this driver, whose manifest names no Windows,
// would report 6.2 for anything newer, as Windows itself does; RtlGetVersion never does.
using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
OSVERSIONINFOW TrueVersion() {
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof(version);
  const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll"), "RtlGetVersion")));
  if (rtlGetVersion != nullptr) rtlGetVersion(&version);
  return version;
}

// What the About box must say for this version, through the same formatting.
std::string ExpectedAboutText(const OSVERSIONINFOW& version) {
  BOOL wow64 = FALSE;
  const bool windows64 = sizeof(void*) == 8 || (IsWow64Process(GetCurrentProcess(), &wow64) && wow64);
  char cpu[64] = "x86";
  if (windows64) {
    DWORD size = sizeof(cpu);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
                     "PROCESSOR_ARCHITECTURE", RRF_RT_REG_SZ, nullptr, cpu, &size) != ERROR_SUCCESS) {
      std::snprintf(cpu, sizeof(cpu), "%s", "AMD64");
    }
  }
  char name[kWindowsNameSize];
  FormatWindowsName(name, sizeof(name), version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion,
                    version.dwBuildNumber);
  char description[kSystemDescriptionSize];
  FormatSystemDescription(description, sizeof(description), name, windows64 ? 64 : 32, cpu);
  char text[kAboutTextSize];
  FormatAboutText(text, sizeof(text), "09.12.01", version.dwPlatformId, version.dwMajorVersion,
                  version.dwMinorVersion, description);
  return text;
}

// What the About box must say in this Wine: the board's manifest names every Windows up to 11,
// so it sees the true version.
std::string ExpectedAboutText() { return ExpectedAboutText(TrueVersion()); }

// Wine plays the Windows named for one program under AppDefaults, with Windows' own rule: a
// program whose manifest does not name Windows 10 is told 6.2.
constexpr const char* kBoardWineSettings = "Software\\Wine\\AppDefaults\\QUILLOW.EXE";
bool LetWinePlayForTheBoard(const char* windows) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kBoardWineSettings, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const bool set = RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(windows),
                                  static_cast<DWORD>(std::strlen(windows) + 1)) == ERROR_SUCCESS;
  RegCloseKey(key);
  return set;
}

}  // namespace

TEST(HelpWindow, OverviewShowsTheSeventeenTopicsFromTheTopOnTheBoard) {
  BoardSession session("help-overview");
  ASSERT_TRUE(StartBoard(session));
  HWND help = OpenFromMenu(session, 32791, "Varnel Help");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(WindowText(help), "Varnel Help");
  EXPECT_EQ(OwnerOf(help), session.Board());
  HWND text = GetDlgItem(help, kHelpText);
  ASSERT_TRUE(WaitForFocus(text));

  const std::string shown = WindowText(text);
  EXPECT_EQ(shown.rfind("Varnel Overview\r\n", 0), 0u);
  // Topic 18 repeats the end of topic 2, so only the whole text tells that it is not appended.
  EXPECT_EQ(shown, Overview());
  EXPECT_EQ(Selection(text), 0u);
  EXPECT_EQ(SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_FALSE(CaretBlinks(text));
  Screenshot("help-overview", help);

  Click(GetDlgItem(help, kHelpDone));
  EXPECT_TRUE(ClosesWithin(help, 5000));
  EXPECT_TRUE(WaitForFocus(session.Item(1003)));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(HelpWindow, RenameOneButtonShowsItsOneLineTopicAlone) {
  BoardSession session("help-rename-one");
  ASSERT_TRUE(StartBoard(session));
  HWND help = OpenFromMenu(session, 32795, "Varnel Help");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(help, kHelpText)),
            "To rename just one button, you can right-click the button, select [Rename Buttons] and rename it."
            "\r\n\r\n\r\n");
  ASSERT_TRUE(WaitForFocus(GetDlgItem(help, kHelpText)));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(ClosesWithin(help, 5000));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(HelpWindow, EnterStaysInTheTextAndDoneCloses) {
  BoardSession session("help-enter");
  ASSERT_TRUE(StartBoard(session));
  HWND help = OpenFromMenu(session, 32805, "Varnel Help");
  ASSERT_NE(help, nullptr);
  HWND text = GetDlgItem(help, kHelpText);
  const std::string topic = WindowText(text);
  EXPECT_EQ(topic.rfind("[Configure], [Consolidate Projects]\r\n", 0), 0u);
  ASSERT_TRUE(WaitForFocus(text));

  PressKey(VK_RETURN);
  // Keys arrive in order: once the selection has grown, Enter has been handled before it.
  PressKey(VK_DOWN, {VK_SHIFT});
  ASSERT_TRUE(WaitUntil([&] { return HIWORD(Selection(text)) > 0; }, 5000));
  EXPECT_TRUE(IsVisible(help));
  EXPECT_EQ(WindowText(text), topic);

  Click(GetDlgItem(help, kHelpDone));
  EXPECT_TRUE(ClosesWithin(help, 5000));
  EXPECT_TRUE(IsVisible(session.Board()));
  EXPECT_TRUE(session.CloseAndWait());
}

// Wine's edit control keeps memory in proportion to the text it still holds when it is destroyed:
// every Overview cost the board about 7 KB until the window emptied its text box on the way out.
TEST(HelpWindow, TheOverviewOpenedAgainAndAgainLeavesTheBoardsMemoryAsItWas) {
  BoardSession session("help-memory");
  ASSERT_TRUE(StartBoard(session));
  const auto openAndClose = [&] {
    PostMessageA(session.Board(), WM_COMMAND, 32791, 0);
    HWND help = WaitForWindowByCaption(session.Program().id, "Varnel Help", 5000);
    if (help == nullptr || WindowText(GetDlgItem(help, kHelpText)) != Overview()) return false;
    PostMessageA(help, WM_COMMAND, MAKEWPARAM(kHelpDone, BN_CLICKED), 0);
    return WaitUntil([&] { return !IsWindow(help); }, 5000);
  };
  EXPECT_TRUE(OpeningsKeepNoMemory(session, openAndClose));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(AboutBox, ShowsTheVersionAndTheSystemAsWineReportsItFromMenuAndCtrlA) {
  BoardSession session("about");
  ASSERT_TRUE(StartBoard(session));
  const std::string expected = ExpectedAboutText();
  // Wine stands in for Windows 10, which the table names.
  EXPECT_EQ(expected.find("Unknown"), std::string::npos) << expected;

  HWND about = OpenFromMenu(session, 32809, "About Varnel");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(about), "About Varnel");
  EXPECT_EQ(OwnerOf(about), session.Board());
  EXPECT_EQ(WindowText(GetDlgItem(about, kAboutText)), expected);
  Screenshot("about-box", about);
  ASSERT_TRUE(WaitForFocus(GetDlgItem(about, IDOK)));
  PressKey(VK_RETURN);
  ASSERT_TRUE(ClosesWithin(about, 5000));

  // Ctrl+A is the board's own shortcut, also with the focus in a text field.
  ASSERT_TRUE(ClickInto(session.Item(1071)));
  PressKey('A', {VK_CONTROL});
  about = WaitForWindowByCaption(session.Program().id, "About Varnel", 5000);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(about, kAboutText)), expected);
  Click(GetDlgItem(about, IDOK));
  EXPECT_TRUE(ClosesWithin(about, 5000));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(AboutBox, NamesWindows10WhereWinePlaysIt) {
  ASSERT_TRUE(LetWinePlayForTheBoard("win10"));
  BoardSession session("about-win10");
  const bool started = StartBoard(session);
  RegDeleteKeyA(HKEY_CURRENT_USER, kBoardWineSettings);
  ASSERT_TRUE(started);
  // Wine 8's Windows 10 is build 18362; any build before 22000 is named alike.
  OSVERSIONINFOW windows10 = {};
  windows10.dwPlatformId = 2;
  windows10.dwMajorVersion = 10;
  windows10.dwBuildNumber = 18362;
  const std::string expected = ExpectedAboutText(windows10);
  ASSERT_NE(expected.find("\nWindows 10, "), std::string::npos) << expected;

  HWND about = OpenFromMenu(session, 32809, "About Varnel");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(about, kAboutText)), expected);
  Click(GetDlgItem(about, IDOK));
  EXPECT_TRUE(ClosesWithin(about, 5000));
  EXPECT_TRUE(session.CloseAndWait());
}
