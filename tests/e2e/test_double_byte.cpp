// The board under a double-byte ANSI code page (932, Japanese): a name longer than its 31 bytes
// is named before the save, which keeps the whole characters that fit, and Find matches
// characters, not bytes. CTest runs this suite in a Wine prefix of its own whose locale is
// ja_JP.UTF-8, so every text here is in code page 932.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/board_steps.h"
#include "tests/e2e/find_steps.h"

using namespace e2e;

namespace {

// Characters of code page 932, two bytes each. The second byte of a character may look like a
// letter (A is 41, a is 61) or like another character's first byte (9F).
const std::string kHiraganaA = "\x82\xA0";       // あ
const std::string kSmallHiraganaA = "\x82\x9F";  // ぁ
const std::string kKanjiBou = "\x9F\x82";        // 氓
const std::string kKatakanaA = "\x83\x41";       // ア
const std::string kKatakanaDi = "\x83\x61";      // ヂ

std::string Repeated(const std::string& character, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += character;
  return text;
}

bool StartUnderCodePage932(BoardSession& session, const std::string& project, std::string& path) {
  if (GetACP() != 932) {
    ADD_FAILURE() << "Wine runs code page " << GetACP() << ", not 932: the locale ja_JP.UTF-8 must exist (tools/setup)";
    return false;
  }
  path = session.UseCurrentProject("Japanese.vrl", project);
  SetSetting("Options", "UseSystemTray", "0");
  SetSetting("Options", "AutoPaste", "0");
  return session.Start();
}

}  // namespace

TEST(DoubleByte, ARenamedButtonKeepsTheWholeCharactersThatFitIn31Bytes) {
  BoardSession session("double-byte-name");
  std::string path;
  ASSERT_TRUE(StartUnderCodePage932(session, TaggedProject("J"), path));
  HWND button = session.Item(1070 + 2 * 4);
  ASSERT_TRUE(Activate(session.Board()));
  ASSERT_TRUE(WaitUntilSettled(session.Board()));
  const RECT rect = WindowRectOnScreen(button);
  ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, true);
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND window : TopLevelWindowsOf(session.Program().id)) {
      if (IsWindowVisible(window) && ClassName(window) == "#32768") return true;
    }
    return false;
  }, 5000)) << "no slot menu";
  PressKey('R');
  HWND box = WaitForWindowByCaption(session.Program().id, "Define Button", 5000);
  ASSERT_NE(box, nullptr);
  HWND edit = GetDlgItem(box, 1170);
  SetText(edit, Repeated(kHiraganaA, 20));
  ASSERT_EQ(WindowText(edit), Repeated(kHiraganaA, 20));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));

  // The button keeps the name as typed; the save that writes it says that it is too long.
  EXPECT_TRUE(WaitUntil([&] { return WindowText(button) == Repeated(kHiraganaA, 20); }, 5000))
      << "the button shows \"" << WindowText(button) << "\"";
  Screenshot("double-byte-name", session.Board());
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND question = WaitForMessageBox(session.Program().id, "Varnel", 10000);
  ASSERT_NE(question, nullptr) << "no question before a name longer than 31 bytes is saved";
  const std::string asked = MessageBoxTextUtf8(question);
  EXPECT_NE(asked.find("Button 5: "), std::string::npos) << asked;
  EXPECT_NE(asked.find(" (too long)"), std::string::npos) << asked;
  // Wine labels the buttons in the locale's language: Yes is taken by its id.
  PostMessageA(question, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(WaitForExit(session.Program(), 15000));
  // 15 characters are 30 bytes; the 16th would need bytes 31 and 32, and byte 32 is the NUL's.
  EXPECT_EQ(NameInFile(ReadWholeFile(path), 4), Repeated(kHiraganaA, 15));
}

TEST(DoubleByte, FindMatchesWholeCharactersAndFoldsOnlySingleByteLetters) {
  std::string project = TaggedProject("J");
  const std::string texts[] = {Repeated(kSmallHiraganaA, 2), kKatakanaDi, kKatakanaA};
  for (int slot = 0; slot < 3; ++slot) {
    project.replace(1056 + 10240 * slot, 10240, texts[slot] + std::string(10240 - texts[slot].size(), '\0'));
  }
  BoardSession session("double-byte-find");
  std::string path;
  ASSERT_TRUE(StartUnderCodePage932(session, project, path));
  PostCommand(session, 32778);
  HWND dialog = WaitForWindowByCaption(session.Program().id, "Find in Projects", 5000);
  ASSERT_NE(dialog, nullptr);
  Choose(dialog, 1175);

  // ア is found in slot 2 only: ヂ differs from it in its second byte, 61 against 41, the case bit
  // of a letter.
  SetText(GetDlgItem(dialog, 1172), kKatakanaA);
  Press(dialog, 1183);
  ASSERT_TRUE(ShowsMatch(dialog, "Japanese.vrl", "3"));
  EXPECT_EQ(Shown(dialog, 1194), kKatakanaA);
  Press(dialog, 1184);
  ASSERT_TRUE(ConfirmBox(session, "Search Complete."));

  // 氓 is the second byte of one ぁ and the first of the next; a is the second byte of ヂ.
  for (const std::string& searched : {kKanjiBou, std::string("a")}) {
    SetText(GetDlgItem(dialog, 1172), searched);
    Press(dialog, 1183);
    ASSERT_TRUE(ConfirmBox(session, "Search Complete.")) << "searching \"" << searched << "\"";
  }
  Press(dialog, 1182);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 5000));
  EXPECT_TRUE(session.CloseAndWait());
}
