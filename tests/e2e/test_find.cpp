// Find in Projects as a user meets it: match by match through the library and the current
// project, the end of a search, copying a found text field, and the options kept between runs.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/e2e/board_steps.h"
#include "tests/e2e/find_steps.h"

using namespace e2e;

namespace {

// A tagged project with some slots given other captions and texts.
std::string ProjectWith(const std::string& tag,
                        std::initializer_list<std::tuple<int, std::string, std::string>> slots) {
  std::string bytes = TaggedProject(tag);
  for (const auto& [slot, name, text] : slots) {
    bytes.replace(32 * slot, 32, name + std::string(32 - name.size(), '\0'));
    bytes.replace(1056 + 10240 * slot, 10240, text + std::string(10240 - text.size(), '\0'));
  }
  return bytes;
}

// The library, in the order of the project list: a short file is skipped, a longer one is
// searched as far as it is a project. Zeta is current.
bool StartOnLibrary(BoardSession& session) {
  const std::string& folder = session.Folder();
  std::string longer = ProjectWith("L", {{5, "L button 5", "a needle in a longer file"}});
  longer += std::string(1000, 'x') + "needle beyond the project";
  const std::string shorter = ProjectWith("S", {{0, "S button 0", "needle"}}).substr(0, kProjectBytes - 1);
  if (!WriteWholeFile(folder + "Alpha.vrl", ProjectWith("A", {{2, "A button 2", "find the NEEDLE here"}})) ||
      !WriteWholeFile(folder + "Beta.vrl", ProjectWith("B", {{32, "needle button", ""}})) ||
      !WriteWholeFile(folder + "Long.vrl", longer) || !WriteWholeFile(folder + "Gamma.vrl", shorter)) {
    return false;
  }
  session.UseCurrentProject("Zeta.vrl", ProjectWith("Z", {{0, "Z button 0", "needle zero"},
                                                          {7, "Z button 7", "needle seven\r\nsecond line"}}));
  SetSetting("Options", "UseSystemTray", "0");
  SetSetting("Options", "AutoPaste", "0");
  if (!session.Start()) return false;
  // Keys typed while the start-up splash still holds the focus would go to it.
  return WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(session.Program().id)) {
          if (IsWindowVisible(window) && WindowText(window).empty() && ClassName(window) == "#32770") return false;
        }
        return true;
      },
      10000);
}

HWND OpenFind(BoardSession& session, bool byMenu) {
  if (byMenu) {
    if (!ChooseMenuCommand(session.Board(), ProgramPath(), 32778)) return nullptr;
  } else {
    if (!Activate(session.Board())) return nullptr;
    PressKey('F', {VK_CONTROL});
  }
  return WaitForWindowByCaption(session.Program().id, "Find in Projects", 5000);
}

bool Checked(HWND dialog, int id) { return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

}  // namespace

TEST(FindInProjects, MatchByMatchThroughTheLibraryThenTheCurrentProjectUntilComplete) {
  BoardSession session("find-library");
  ASSERT_TRUE(StartOnLibrary(session));
  HWND dialog = OpenFind(session, false);
  ASSERT_NE(dialog, nullptr) << "Ctrl+F did not open Find in Projects";
  EXPECT_FALSE(Enabled(dialog, 1183)) << "Find First with no search text";
  SetText(GetDlgItem(dialog, 1172), "needle");
  ASSERT_TRUE(WaitUntil([&] { return Enabled(dialog, 1183); }, 3000));

  Press(dialog, 1183);
  ASSERT_TRUE(ShowsMatch(dialog, "Alpha.vrl", "3"));
  EXPECT_EQ(Shown(dialog, 1189), "A button 2");
  EXPECT_EQ(Shown(dialog, 1194), "find the NEEDLE here");
  EXPECT_TRUE(Enabled(dialog, 1192));
  EXPECT_TRUE(WaitForFocus(GetDlgItem(dialog, 1184)));
  Screenshot("find-in-projects", dialog);

  Press(dialog, 1184);
  ASSERT_TRUE(ShowsMatch(dialog, "Beta.vrl", "33"));
  EXPECT_EQ(Shown(dialog, 1194), "");
  EXPECT_FALSE(Enabled(dialog, 1192));
  EXPECT_FALSE(Enabled(dialog, 1181));
  Press(dialog, 1184);
  ASSERT_TRUE(ShowsMatch(dialog, "Long.vrl", "6")) << "the short file is skipped";

  // Another scope: Find Next starts at the first slot of the current project.
  Choose(dialog, 1175);
  Press(dialog, 1184);
  ASSERT_TRUE(ShowsMatch(dialog, "Zeta.vrl", "1"));
  Press(dialog, 1184);
  ASSERT_TRUE(ShowsMatch(dialog, "Zeta.vrl", "8"));
  ASSERT_TRUE(SetClipboardText("before the copy"));
  Press(dialog, 1192);
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == "needle seven\r\nsecond line"; }, 5000)) << ClipboardText();

  Press(dialog, 1184);
  ASSERT_TRUE(ConfirmBox(session, "Search Complete."));
  EXPECT_TRUE(WaitUntil([&] { return !Enabled(dialog, 1184); }, 3000)) << "Find Next stayed enabled";
  EXPECT_TRUE(WaitForFocus(GetDlgItem(dialog, 1172))) << "the focus stayed on a disabled button";
  Press(dialog, 1182);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(FindInProjects, CopyAndCloseThenReopeningShowsTheLastTextAndOptions) {
  BoardSession session("find-reopen");
  ASSERT_TRUE(StartOnLibrary(session));
  HWND dialog = OpenFind(session, true);
  ASSERT_NE(dialog, nullptr) << "Edit, Find did not open Find in Projects";
  EXPECT_TRUE(Checked(dialog, 1174) && Checked(dialog, 1177) && !Checked(dialog, 1180));
  SetText(GetDlgItem(dialog, 1172), "zero");
  Choose(dialog, 1175);
  Choose(dialog, 1178);
  Choose(dialog, 1180);
  Press(dialog, 1183);
  ASSERT_TRUE(ShowsMatch(dialog, "Zeta.vrl", "1"));
  ASSERT_TRUE(SetClipboardText("before the copy"));
  Press(dialog, 1181);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_EQ(ClipboardText(), "needle zero");

  // Menu and shortcut have had their turn; the command itself opens it again.
  PostCommand(session, 32778);
  dialog = WaitForWindowByCaption(session.Program().id, "Find in Projects", 5000);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Shown(dialog, 1172), "zero");
  EXPECT_TRUE(Checked(dialog, 1175) && Checked(dialog, 1178) && Checked(dialog, 1180));
  EXPECT_TRUE(Enabled(dialog, 1183));
  EXPECT_FALSE(Enabled(dialog, 1184) || Enabled(dialog, 1192) || Enabled(dialog, 1181));
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(FindInProjects, DuringRepositionTheCurrentProjectIsSearchedAsItWasWhenTheModeBegan) {
  BoardSession session("find-reposition");
  session.UseCurrentProject("Zeta.vrl", ProjectWith("Z", {{5, "Z button 5", "needle five"},
                                                          {20, "Z button 20", "needle twenty"}}));
  SetSetting("Options", "UseSystemTray", "0");
  SetSetting("Options", "AutoPaste", "0");
  ASSERT_TRUE(session.Start());
  ASSERT_TRUE(StartRepositionMode(session));
  // Slot 20 is collected first and would be button 1 of the new order; slot 5 is not collected yet.
  PostCommand(session, 1070 + 2 * 20);
  PostCommand(session, 1070);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(session.Item(1037)) == "2"; }, 5000));

  PostCommand(session, 32778);
  HWND dialog = WaitForWindowByCaption(session.Program().id, "Find in Projects", 5000);
  ASSERT_NE(dialog, nullptr);
  SetText(GetDlgItem(dialog, 1172), "needle");
  Choose(dialog, 1175);
  Press(dialog, 1183);
  ASSERT_TRUE(ShowsMatch(dialog, "Zeta.vrl", "6"));
  EXPECT_EQ(Shown(dialog, 1194), "needle five");
  Press(dialog, 1184);
  ASSERT_TRUE(ShowsMatch(dialog, "Zeta.vrl", "21"));
  EXPECT_EQ(Shown(dialog, 1189), "Z button 20");
  Press(dialog, 1184);
  ASSERT_TRUE(ConfirmBox(session, "Search Complete."));
  Press(dialog, 1182);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_TRUE(session.CloseAndWait());
}
