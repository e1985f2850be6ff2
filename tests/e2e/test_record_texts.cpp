// Texts pasted from Unicode programs that a project file cannot store as they are: characters
// outside the code page and texts longer than a field. The user is told which buttons before
// anything is written, and the controls stop a paste at what the file can hold.
#include <gtest/gtest.h>

#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

constexpr const char* kCyrillic = "Привет";
constexpr const char* kGreek = "Καλημέρα";
constexpr const char* kChinese = "你好";
constexpr const char* kEmoji = "😀";

constexpr const char* kLossIntro =
    "These buttons hold characters that a project cannot store, or more text than it can hold:\n\n";
constexpr const char* kLossQuestion =
    "\nSave anyway? Those characters are written as \"?\" and a text that is too long loses its end.";

std::string LossQuestion(const std::string& lines) { return kLossIntro + lines + kLossQuestion; }

HWND Field(const BoardSession& session, int slot) { return session.Item(1071 + 2 * slot); }
HWND Button(const BoardSession& session, int slot) { return session.Item(1070 + 2 * slot); }

bool StartOn(BoardSession& session, const char* tag, std::string& path) {
  path = session.UseCurrentProject(std::string(tag) + ".vrl", TaggedProject(tag));
  SetSetting("Options", "UseSystemTray", "0");
  SetSetting("Options", "AutoPaste", "0");
  return session.Start();
}

// The warning about the characters, checked whole: its text, the warning icon, Yes and No with
// No the default. Returns the box, or null when none came.
HWND ExpectLossQuestion(BoardSession& session, const std::string& lines) {
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 10000);
  if (box == nullptr) {
    ADD_FAILURE() << "no question before the save";
    return nullptr;
  }
  EXPECT_EQ(MessageBoxTextUtf8(box), LossQuestion(lines));
  HWND icon = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == "Static" && (GetWindowLongA(child, GWL_STYLE) & SS_ICON) == SS_ICON) icon = child;
  }
  EXPECT_NE(icon, nullptr) << "the question shows no icon";
  EXPECT_EQ(GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON) << "No is not the default";
  EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
  return box;
}

bool Answer(HWND box, const char* button) {
  return box != nullptr && AnswerMessageBox(box, button) && WaitUntil([&] { return !IsWindow(box); }, 5000);
}

HWND RenameFromSlotMenu(BoardSession& session, int slot) {
  if (!Activate(session.Board()) || !WaitUntilSettled(session.Board())) return nullptr;
  Click(Button(session, slot), true);
  if (!WaitUntil([&] { return FindWindowByCaption(session.Program().id, "") != nullptr; }, 5000)) return nullptr;
  PressKey('R');
  return WaitForWindowByCaption(session.Program().id, "Define Button", 5000);
}

HWND OpenEditor(BoardSession& session, int slot) {
  if (!ClickInto(Field(session, slot))) return nullptr;
  PostCommand(session, 32777);
  return WaitForWindowByCaption(session.Program().id, "Edit Text Field", 5000);
}

}  // namespace

TEST(RecordTexts, CloseNamesTheButtonsItWouldChangeNoKeepsTheBoardAndYesWritesQuestionMarks) {
  BoardSession session("record-close");
  std::string path;
  ASSERT_TRUE(StartOn(session, "R", path));
  ASSERT_TRUE(PasteInto(Field(session, 0), kCyrillic));
  EXPECT_EQ(WindowTextUtf8(Field(session, 0)), kCyrillic);
  HWND box = RenameFromSlotMenu(session, 2);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(PasteInto(GetDlgItem(box, 1170), std::string(kChinese) + kEmoji));
  Screenshot("record-define-button-pasted", box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  EXPECT_EQ(WindowTextUtf8(Button(session, 2)), std::string(kChinese) + kEmoji);
  Screenshot("record-board-pasted", session.Board());

  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND question = ExpectLossQuestion(session, std::string("Button 1: R button 0\nButton 3: ") + kChinese + kEmoji + "\n");
  Screenshot("record-loss-question", question);
  ASSERT_TRUE(Answer(question, "No"));
  EXPECT_TRUE(StaysOpen(session, 1000)) << "No ended or disabled the board";
  EXPECT_TRUE(Holds(path, TaggedProject("R")));
  EXPECT_EQ(WindowTextUtf8(Field(session, 0)), kCyrillic);
  EXPECT_EQ(WindowText(session.Board()), "Varnel >" + path);

  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, std::string("Button 1: R button 0\nButton 3: ") + kChinese + kEmoji + "\n"), "Yes"));
  ASSERT_TRUE(WaitForExit(session.Program(), 15000));
  const std::string bytes = ReadWholeFile(path);
  EXPECT_EQ(TextInFile(bytes, 0), "??????");
  EXPECT_EQ(NameInFile(bytes, 2).find_first_not_of('?'), std::string::npos) << NameInFile(bytes, 2);
  EXPECT_GE(NameInFile(bytes, 2).size(), 3u);
  EXPECT_EQ(TextInFile(bytes, 1), "R text 1\r\nsecond line");
}

TEST(RecordTexts, SwitchConsolidateAndSaveAskFirstWithoutBestFitSubstitutes) {
  BoardSession session("record-switch");
  ASSERT_TRUE(StartWithProjects(session, {"A", "B"}, "A"));
  const std::string a = session.Folder() + "A.vrl";
  const std::string b = session.Folder() + "B.vrl";
  ASSERT_TRUE(PasteInto(Field(session, 4), kGreek));
  const std::string lines = "Button 5: A button 4\n";

  ASSERT_TRUE(ChooseProject(session, "B.vrl"));
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, lines), "No"));
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_EQ(ComboText(session), "A.vrl");
  EXPECT_EQ(WindowTextUtf8(Field(session, 4)), kGreek);
  EXPECT_EQ(FieldText(session, 5), "A text 5\r\nsecond line");

  PostCommand(session, 32780);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, lines), "No"));
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_EQ(FindWindowByCaption(session.Program().id, "Consolidate Projects"), nullptr);
  EXPECT_TRUE(Holds(a, TaggedProject("A")));
  EXPECT_TRUE(Holds(b, TaggedProject("B")));

  PostCommand(session, 32772);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, lines), "Yes"));
  // Each Greek letter is one "?": no Latin look-alike, and no micro sign for the mu.
  EXPECT_TRUE(WaitUntil([&] { return SlotTextInFile(a, 4) == "????????"; }, 10000)) << SlotTextInFile(a, 4);
  EXPECT_TRUE(Holds(b, TaggedProject("B")));
  EXPECT_EQ(WindowTextUtf8(Field(session, 4)), kGreek) << "the board keeps what the user pasted";

  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, lines), "Yes"));
  EXPECT_TRUE(WaitForExit(session.Program(), 15000));
}

TEST(RecordTexts, EditorAndRenameButtonsAskAtOkAndNoKeepsThemOpen) {
  BoardSession session("record-dialogs");
  std::string path;
  ASSERT_TRUE(StartOn(session, "E", path));

  HWND editor = OpenEditor(session, 6);
  ASSERT_NE(editor, nullptr);
  HWND text = GetDlgItem(editor, 1140);
  ASSERT_TRUE(PasteInto(text, kChinese));
  Screenshot("record-editor-pasted", editor);
  PostMessageA(editor, WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), 0);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, "Button 7: E button 6\n"), "No"));
  EXPECT_TRUE(IsWindow(editor));
  EXPECT_EQ(WindowTextUtf8(text), kChinese);
  EXPECT_EQ(FieldText(session, 6), "E text 6\r\nsecond line");
  PostMessageA(editor, WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), 0);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, "Button 7: E button 6\n"), "Yes"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 5000));
  EXPECT_EQ(FieldText(session, 6), "??");

  ASSERT_TRUE(Activate(session.Board()));
  PressKey('5', {VK_CONTROL});
  HWND rename = WaitForWindowByCaption(session.Program().id, "Rename Buttons", 5000);
  ASSERT_NE(rename, nullptr);
  ASSERT_TRUE(PasteInto(GetDlgItem(rename, 1071 + 2 * 8), kEmoji));
  Screenshot("record-rename-pasted", rename);
  PostMessageA(rename, WM_COMMAND, MAKEWPARAM(1136, BN_CLICKED), 0);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, std::string("Button 9: ") + kEmoji + "\n"), "No"));
  EXPECT_TRUE(IsWindow(rename));
  EXPECT_EQ(ButtonText(session, 8), "E button 8");
  PostMessageA(rename, WM_COMMAND, MAKEWPARAM(1136, BN_CLICKED), 0);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, std::string("Button 9: ") + kEmoji + "\n"), "Yes"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(rename); }, 5000));
  EXPECT_FALSE(ButtonText(session, 8).empty());
  EXPECT_EQ(ButtonText(session, 8).find_first_not_of('?'), std::string::npos) << ButtonText(session, 8);
  // What the dialogs wrote is what the file can hold: the close asks nothing more.
  EXPECT_FALSE(CloseWasAsked(session));
  EXPECT_EQ(SlotTextInFile(path, 6), "??");
}

TEST(RecordTexts, PastesStopWhereTheFileStops) {
  BoardSession session("record-limits");
  std::string path;
  ASSERT_TRUE(StartOn(session, "L", path));
  const std::string tooLong(12000, 'x');
  ASSERT_TRUE(PasteInto(Field(session, 0), tooLong));
  EXPECT_EQ(FieldText(session, 0).size(), 10239u);

  HWND editor = OpenEditor(session, 1);
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(PasteInto(GetDlgItem(editor, 1140), tooLong));
  EXPECT_EQ(WindowText(GetDlgItem(editor, 1140)).size(), 10239u);
  PostMessageA(editor, WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 5000)) << "the editor asked about a text that fits";
  EXPECT_EQ(FieldText(session, 1).size(), 10239u);

  HWND box = RenameFromSlotMenu(session, 3);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(PasteInto(GetDlgItem(box, 1170), std::string(40, 'n')));
  EXPECT_EQ(WindowText(GetDlgItem(box, 1170)), std::string(31, 'n'));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));

  EXPECT_FALSE(CloseWasAsked(session));
  const std::string bytes = ReadWholeFile(path);
  EXPECT_TRUE(TextInFile(bytes, 0) == std::string(10239, 'x')) << TextInFile(bytes, 0).size() << " bytes";
  EXPECT_TRUE(TextInFile(bytes, 1) == std::string(10239, 'x')) << TextInFile(bytes, 1).size() << " bytes";
  EXPECT_EQ(NameInFile(bytes, 3), std::string(31, 'n'));
}

TEST(RecordTexts, FindRefusesASearchTextThatNoProjectCanHold) {
  BoardSession session("record-find");
  std::string path;
  ASSERT_TRUE(StartOn(session, "F", path));
  // The text the old search found for it: the same number of "?" in the file.
  ASSERT_TRUE(PasteInto(Field(session, 0), kCyrillic));
  PostCommand(session, 32772);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, "Button 1: F button 0\n"), "Yes"));
  ASSERT_TRUE(WaitUntil([&] { return SlotTextInFile(path, 0) == "??????"; }, 10000));

  PostCommand(session, 32778);
  HWND find = WaitForWindowByCaption(session.Program().id, "Find in Projects", 5000);
  ASSERT_NE(find, nullptr);
  ASSERT_TRUE(PasteInto(GetDlgItem(find, 1172), "Москва"));
  PostMessageA(find, WM_COMMAND, MAKEWPARAM(1183, BN_CLICKED), 0);
  ASSERT_TRUE(ConfirmBox(session, "No project can hold this search text: it has characters that a project cannot store."));
  EXPECT_TRUE(IsWindow(find));
  PostMessageA(find, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(find); }, 5000));
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(Answer(ExpectLossQuestion(session, "Button 1: F button 0\n"), "Yes"));
  EXPECT_TRUE(WaitForExit(session.Program(), 15000));
}
