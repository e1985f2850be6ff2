// Saves that cannot be made, and boards whose texts belong to no file: whatever fails, the board
// keeps showing the project whose file it will write, no file receives another project's slots,
// a failed save on closing discards nothing until the user says so, and texts that are named get
// a listed file.
#include <gtest/gtest.h>

#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

constexpr const char* kEdited = "edited in Alpha";

std::string PathIn(const BoardSession& session, const std::string& fileName) { return session.Folder() + fileName; }

// New Project named "Beta", overwriting it, while another program holds Beta.vrl.
void NewProjectOverHeldBeta(BoardSession& session) {
  PostCommand(session, 32771);
  HWND prompt = WaitForPrompt(session, kNewTitle);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(TypeName(prompt, "Beta"));
  HWND exists = WaitForMessageBox(session.Program().id, "Varnel", 5000);
  ASSERT_NE(exists, nullptr);
  ASSERT_EQ(MessageBoxText(exists).rfind("File Exists:", 0), 0u) << MessageBoxText(exists);
  ASSERT_TRUE(AnswerMessageBox(exists, "Yes"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(exists); }, 5000));
  ASSERT_TRUE(ConfirmBox(session, ErrorSaving(PathIn(session, "Beta.vrl"))));
  ASSERT_TRUE(WaitForBoardIdle(session));
}

// Alpha current with an edited slot, on a folder that also holds Beta.
void StartEditingAlpha(BoardSession& session) {
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Alpha"));
  SetText(session.Item(1071), kEdited);
}

// A board that holds text and has no file: started as a new session, with slot 0 typed into.
void StartWithTextAndNoFile(BoardSession& session, std::initializer_list<const char*> tags) {
  for (const char* tag : tags) ASSERT_TRUE(WriteWholeFile(PathIn(session, std::string(tag) + ".vrl"), TaggedProject(tag)));
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(session.Start("NewSession"));
  SetText(session.Item(1071), "typed on a board of no file");
}

// A close whose save fails: the error naming the file and its cause, then the question what to
// do with the texts, answered with the button.
void CloseWithFailingSave(BoardSession& session, const std::string& path, const std::string& answer,
                          const char* screenshot = nullptr) {
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(ConfirmBox(session, ErrorSaving(path)));
  ASSERT_TRUE(AnswerUnsavedTexts(session, answer, screenshot));
}

// The system's Save As dialog that the question's Yes opens, or null.
HWND WaitForSaveElsewhere(BoardSession& session) {
  return WaitForWindowByCaption(session.Program().id, "Save the Board's Texts As", 10000);
}

// Types the full path into the Save As dialog's name box and confirms it.
bool SaveElsewhereAs(HWND dialog, const std::string& path) {
  HWND name = GetDlgItem(dialog, 1148);
  HWND edit = name != nullptr ? FindWindowExA(name, nullptr, "Edit", nullptr) : GetDlgItem(dialog, 1152);
  if (edit == nullptr) edit = name;
  if (edit == nullptr) return false;
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  return PostMessageA(dialog, WM_COMMAND, IDOK, 0) != FALSE;
}

}  // namespace

TEST(NewProjectSaveFails, TheBoardStaysOnTheProjectItShowed) {
  BoardSession session("new-project-save-fails");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Alpha"));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  const std::string beta = PathIn(session, "Beta.vrl");
  HeldFile held(beta);
  ASSERT_TRUE(held.Held());

  ASSERT_NO_FATAL_FAILURE(NewProjectOverHeldBeta(session));
  EXPECT_TRUE(ShowsTaggedProject(session, "Alpha")) << "slot 0: " << ButtonText(session, 0);
  EXPECT_EQ(Caption(session), "Varnel >" + alpha);
  EXPECT_EQ(ComboText(session), "Alpha.vrl");

  held.Release();
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_TRUE(Holds(alpha, TaggedProject("Alpha")));
  EXPECT_TRUE(Holds(beta, TaggedProject("Beta")));
}

TEST(NewProjectSaveFails, AnUnloadableChoiceAfterwardsNeverEmptiesTheLeftProject) {
  BoardSession session("new-project-save-fails-short");
  ASSERT_TRUE(WriteWholeFile(PathIn(session, "Short.vrl"), std::string(kProjectBytes - 1, 'x')));
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Alpha"));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  HeldFile held(PathIn(session, "Beta.vrl"));
  ASSERT_TRUE(held.Held());
  ASSERT_NO_FATAL_FAILURE(NewProjectOverHeldBeta(session));
  held.Release();

  ASSERT_TRUE(ChooseProject(session, "Short.vrl"));
  EXPECT_TRUE(ConfirmBox(session, CannotLoad(PathIn(session, "Short.vrl"), kTooShort)));
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_TRUE(WaitUntil([&] { return ComboText(session) == "Alpha.vrl"; }, 5000)) << ComboText(session);
  EXPECT_EQ(Caption(session), "Varnel >" + alpha);
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_TRUE(Holds(alpha, TaggedProject("Alpha")));
}

TEST(SaveBeforeChangeFails, ChoosingAnotherProjectKeepsTheEditedSlots) {
  BoardSession session("change-save-fails");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  HeldFile held(alpha);
  ASSERT_TRUE(held.Held());

  ASSERT_TRUE(ChooseProject(session, "Beta.vrl"));
  ASSERT_TRUE(ConfirmBox(session, ErrorSaving(alpha)));
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_EQ(FieldText(session, 0), kEdited);
  EXPECT_EQ(ButtonText(session, 1), "Alpha button 1");
  EXPECT_EQ(ComboText(session), "Alpha.vrl");
  EXPECT_EQ(Caption(session), "Varnel >" + alpha);
  EXPECT_TRUE(Holds(PathIn(session, "Beta.vrl"), TaggedProject("Beta")));

  held.Release();
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(SaveBeforeChangeFails, NewProjectAsksNoName) {
  BoardSession session("new-project-save-before-fails");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  HeldFile held(alpha);
  ASSERT_TRUE(held.Held());

  PostCommand(session, 32771);
  ASSERT_TRUE(ConfirmBox(session, ErrorSaving(alpha)));
  ASSERT_TRUE(WaitForBoardIdle(session));
  HWND prompt = nullptr;
  EXPECT_FALSE(WaitUntil([&] { return (prompt = FindWindowByCaption(session.Program().id, kNewTitle, false)) != nullptr; },
                         2000))
      << "the new project's name was asked although the edits were not saved";
  if (prompt != nullptr) PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(FieldText(session, 0), kEdited);

  held.Release();
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(ClosingSaveFails, TheCauseIsNamedAndCancelGoesBackToTheBoardEveryTime) {
  BoardSession session("close-save-fails");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  HeldFile held(alpha);
  ASSERT_TRUE(held.Held());

  for (int close = 1; close <= 2; ++close) {
    SCOPED_TRACE("close " + std::to_string(close));
    const char* screenshot = close == 1 ? "close-unsaved-question" : nullptr;
    ASSERT_NO_FATAL_FAILURE(CloseWithFailingSave(session, alpha, "Cancel", screenshot));
    ASSERT_TRUE(WaitForBoardIdle(session));
    EXPECT_TRUE(StaysOpen(session, 2000)) << "the board ended although its edits were not saved";
    EXPECT_EQ(Caption(session), "Varnel >" + alpha);
    EXPECT_EQ(FieldText(session, 0), kEdited);
  }

  held.Release();
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(SlotTextInFile(alpha, 0), kEdited);
}

TEST(ClosingSaveFails, NoClosesWithoutSavingAndLeavesTheFileAsItWas) {
  BoardSession session("close-save-fails-no");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  HeldFile held(alpha);
  ASSERT_TRUE(held.Held());

  ASSERT_NO_FATAL_FAILURE(CloseWithFailingSave(session, alpha, "No"));
  EXPECT_TRUE(WaitForExit(session.Program(), 10000));
  held.Release();
  EXPECT_TRUE(Holds(alpha, TaggedProject("Alpha")));
}

TEST(ClosingSaveFails, YesSavesTheTextsInAnotherFolderAfterACancelledDialogAsksAgain) {
  BoardSession session("close-save-fails-elsewhere");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  const std::string folder = MakeScratchFolder("close-save-fails-elsewhere-other");
  const std::string elsewhere = folder + "Rescued.vrl";
  HeldFile held(alpha);
  ASSERT_TRUE(held.Held());

  ASSERT_NO_FATAL_FAILURE(CloseWithFailingSave(session, alpha, "Yes"));
  HWND dialog = WaitForSaveElsewhere(session);
  ASSERT_NE(dialog, nullptr) << DescribeTopLevelWindows();
  if (WaitUntilSettled(dialog)) Screenshot("close-save-elsewhere");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(AnswerUnsavedTexts(session, "Yes")) << "a cancelled Save As gave up the texts";

  dialog = WaitForSaveElsewhere(session);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(SaveElsewhereAs(dialog, elsewhere));
  EXPECT_TRUE(WaitForExit(session.Program(), 10000));
  held.Release();
  EXPECT_EQ(SlotTextInFile(elsewhere, 0), kEdited);
  EXPECT_EQ(GetSetting("Files", "Current"), elsewhere);
  EXPECT_TRUE(Holds(alpha, TaggedProject("Alpha")));
}

TEST(ClosingDuringAFailedChange, TheCloseWaitsForTheChangeAndAlphaStaysCurrent) {
  BoardSession session("close-during-failed-change");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  const std::string beta = PathIn(session, "Beta.vrl");
  HeldFile held(alpha);
  ASSERT_TRUE(held.Held());

  ASSERT_TRUE(ChooseProject(session, "Beta.vrl"));
  HWND first = WaitForMessageBox(session.Program().id, "Varnel", 10000);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(MessageBoxText(first), ErrorSaving(alpha));
  PostCommand(session, 32775);
  ASSERT_TRUE(AnswerMessageBox(first, "OK"));

  HWND second = WaitForAnotherMessageBox(session, first, 10000);
  EXPECT_NE(second, nullptr) << "the close did not try to save Alpha";
  if (second != nullptr) {
    EXPECT_EQ(MessageBoxText(second), ErrorSaving(alpha));
    AnswerMessageBox(second, "OK");
  }
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(first) && (second == nullptr || !IsWindow(second)); }, 5000));
  EXPECT_TRUE(AnswerUnsavedTexts(session, "Cancel"));
  WaitForBoardIdle(session);
  EXPECT_TRUE(StaysOpen(session, 2000)) << "the board ended although Alpha was not saved";
  EXPECT_EQ(GetSetting("Files", "Current"), alpha);

  held.Release();
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(GetSetting("Files", "Current"), alpha);
  EXPECT_EQ(SlotTextInFile(alpha, 0), kEdited);
  EXPECT_TRUE(Holds(beta, TaggedProject("Beta")));
}

TEST(UnloadableChoice, AVanishedProjectIsNamedLeavesTheListAndTheBoardStaysOnItsProject) {
  BoardSession session("vanished-choice");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  const std::string beta = PathIn(session, "Beta.vrl");
  ASSERT_TRUE(DeleteFileA(beta.c_str()));

  ASSERT_TRUE(ChooseProject(session, "Beta.vrl"));
  EXPECT_TRUE(ConfirmBox(session, CannotLoad(beta, kNotFound)));
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_FALSE(Listed(session, "Beta.vrl")) << "the vanished project is still offered";
  EXPECT_EQ(ComboText(session), "Alpha.vrl");
  EXPECT_EQ(Caption(session), "Varnel >" + alpha);
  EXPECT_EQ(FieldText(session, 0), kEdited);
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(SlotTextInFile(alpha, 0), kEdited);
}

TEST(CurrentFileGone, ASwitchOffersSaveAsAndACancelKeepsTheTextsOnABoardThatNamesNoFile) {
  BoardSession session("current-file-gone-switch");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  const std::string beta = PathIn(session, "Beta.vrl");
  ASSERT_TRUE(MoveFileA(alpha.c_str(), PathIn(session, "Renamed.vrl").c_str()));

  ASSERT_TRUE(ChooseProject(session, "Beta.vrl"));
  HWND prompt = WaitForPrompt(session, kSaveAsTitle);
  ASSERT_NE(prompt, nullptr) << "the switch did not offer to save the texts of the vanished project";
  EXPECT_EQ(WindowText(GetDlgItem(prompt, 1170)), "Alpha");
  PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(prompt); }, 5000));
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_EQ(FieldText(session, 0), kEdited) << "a cancelled Save As gave up the texts";
  EXPECT_EQ(ButtonText(session, 1), "Alpha button 1");
  // The caption and the list agree with the slots: their project has no file any more.
  EXPECT_EQ(Caption(session), "Varnel >");
  EXPECT_EQ(ComboText(session), "");
  EXPECT_FALSE(Listed(session, "Alpha.vrl"));
  EXPECT_TRUE(Holds(beta, TaggedProject("Beta")));

  ASSERT_TRUE(ChooseProject(session, "Beta.vrl"));
  prompt = WaitForPrompt(session, kSaveAsTitle);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(TypeName(prompt, "Kept"));
  ASSERT_TRUE(WaitUntil([&] { return Caption(session) == "Varnel >" + beta; }, 10000)) << Caption(session);
  EXPECT_TRUE(ShowsTaggedProject(session, "Beta"));
  EXPECT_EQ(ComboText(session), "Beta.vrl");
  EXPECT_EQ(SlotTextInFile(PathIn(session, "Kept.vrl"), 0), kEdited);
  EXPECT_TRUE(session.CloseAndWait());
}

// A virus scanner that keeps the old file open for a second: the save waits it out, answering
// messages all the while, and no error comes. A close asked for meanwhile comes after the save,
// not in the middle of it.
TEST(SaveOverAFileHeldForASecond, SucceedsAndTheBoardAnswersMeanwhile) {
  BoardSession session("save-over-briefly-held");
  ASSERT_NO_FATAL_FAILURE(StartEditingAlpha(session));
  const std::string alpha = PathIn(session, "Alpha.vrl");
  HeldFile held(alpha);
  ASSERT_TRUE(held.Held());

  ASSERT_TRUE(ChooseProject(session, "Beta.vrl"));
  ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesA(PathIn(session, "Alpha.~vr").c_str()) != INVALID_FILE_ATTRIBUTES; },
                        10000))
      << "the save never reached its replace";
  DWORD_PTR ignored = 0;
  EXPECT_NE(SendMessageTimeoutA(session.Board(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored), 0)
      << "the board did not answer while its save waited";
  EXPECT_EQ(WaitForMessageBox(session.Program().id, "Varnel", 0), nullptr);
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  // The length of the hold is the case itself, not a wait for the program.
  Sleep(1000);
  EXPECT_FALSE(Ended(session)) << "the board closed while its save waited";
  held.Release();

  EXPECT_TRUE(WaitUntil([&] { return Ended(session) || WaitForMessageBox(session.Program().id, "Varnel", 0) != nullptr; },
                        15000));
  EXPECT_EQ(WaitForMessageBox(session.Program().id, "Varnel", 0), nullptr) << "an error came after the hold ended";
  EXPECT_TRUE(Ended(session));
  EXPECT_EQ(SlotTextInFile(alpha, 0), kEdited);
  EXPECT_FALSE(FileExists(PathIn(session, "Alpha.~vr")));
}

TEST(BoardWithoutFile, ChoosingAProjectNamesTheTextsListsThemAndShowsTheChoice) {
  BoardSession session("no-file-change");
  ASSERT_NO_FATAL_FAILURE(StartWithTextAndNoFile(session, {"Alpha", "Beta"}));
  const std::string named = PathIn(session, "Named.vrl");
  const std::string beta = PathIn(session, "Beta.vrl");

  ASSERT_TRUE(ChooseProject(session, "Beta.vrl"));
  HWND prompt = WaitForPrompt(session, kSaveAsTitle);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(TypeName(prompt, "Named"));
  ASSERT_TRUE(WaitUntil([&] { return Caption(session) == "Varnel >" + beta; }, 10000)) << Caption(session);
  EXPECT_EQ(SlotTextInFile(named, 0), "typed on a board of no file");
  EXPECT_TRUE(Listed(session, "Named.vrl")) << "the named project is not in the combo box";
  EXPECT_TRUE(ShowsTaggedProject(session, "Beta"));
  EXPECT_EQ(ComboText(session), "Beta.vrl");
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(BoardWithoutFile, NewProjectCancelledAfterNamingLeavesTheNamedProjectListedAndCurrent) {
  BoardSession session("no-file-new-project");
  ASSERT_NO_FATAL_FAILURE(StartWithTextAndNoFile(session, {"Alpha"}));
  const std::string named = PathIn(session, "Named.vrl");

  PostCommand(session, 32771);
  HWND prompt = WaitForPrompt(session, kSaveAsTitle);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(TypeName(prompt, "Named"));
  HWND second = WaitForPrompt(session, kNewTitle);
  ASSERT_NE(second, nullptr);
  PostMessageA(second, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(second); }, 5000));
  ASSERT_TRUE(WaitForBoardIdle(session));

  EXPECT_EQ(SlotTextInFile(named, 0), "typed on a board of no file");
  EXPECT_TRUE(Listed(session, "Named.vrl")) << "the named project is not in the combo box";
  EXPECT_EQ(ComboText(session), "Named.vrl");
  EXPECT_EQ(Caption(session), "Varnel >" + named);
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(BoardWithoutFile, AnEmptyBoardClosesWithoutAsking) {
  BoardSession session("no-file-empty-close");
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(session.Start("NewSession"));
  ASSERT_TRUE(AllSlotsEmpty(session));
  EXPECT_FALSE(CloseWasAsked(session)) << "closing an empty board asked for a name";
  EXPECT_TRUE(FolderContents(session.Folder()).empty());
}

TEST(ReadOnlyProject, SaveReportsAndLeavesTheFileAsItWas) {
  BoardSession session("read-only-save");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Beta"));
  const std::string beta = PathIn(session, "Beta.vrl");
  ASSERT_TRUE(ShowsTaggedProject(session, "Beta"));
  ASSERT_TRUE(SetFileAttributesA(beta.c_str(), FILE_ATTRIBUTE_READONLY));
  SetText(session.Item(1071), "not for a read-only file");

  PostCommand(session, 32772);
  EXPECT_TRUE(ConfirmBox(session, ErrorSaving(beta, kReadOnly)));
  EXPECT_TRUE(Holds(beta, TaggedProject("Beta")));
  EXPECT_NE(GetFileAttributesA(beta.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

  // Closing would try the same save; with the file writable again it ends normally.
  SetFileAttributesA(beta.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(ReadOnlyProject, IsNotLoadedAtStart) {
  BoardSession session("read-only-start");
  const std::string path = session.UseCurrentProject("Beta.vrl", TaggedProject("Beta"));
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(session.Start());

  EXPECT_TRUE(ConfirmBox(session, CannotLoad(path, kReadOnly)));
  EXPECT_TRUE(AllSlotsEmpty(session)) << "slot 0: " << ButtonText(session, 0);
  EXPECT_EQ(Caption(session), "Varnel >");
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_TRUE(Holds(path, TaggedProject("Beta")));
  EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST(NewProject, DeviceNamesAreRefusedLikeCon) {
  BoardSession session("device-names");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha"}, "Alpha"));
  const auto before = FolderContents(session.Folder());

  // "CON ?" keeps the space before the dropped question mark: "CON .vrl" is the console too.
  // The superscript digits are Windows-1252 bytes, which Windows also takes as port numbers.
  for (const char* name : {"CON ?", "CONIN$", "CONOUT$", "COM\xB9", "LPT\xB2"}) {
    SCOPED_TRACE(name);
    HWND prompt = FindWindowByCaption(session.Program().id, kNewTitle);
    if (prompt == nullptr) {
      PostCommand(session, 32771);
      prompt = WaitForPrompt(session, kNewTitle);
    }
    ASSERT_NE(prompt, nullptr);
    HWND edit = GetDlgItem(prompt, 1170);
    SetText(edit, name);
    ASSERT_TRUE(Activate(prompt));
    ASSERT_TRUE(WaitForFocus(edit));
    PressKey(VK_RETURN);

    HWND box = WaitForMessageBox(session.Program().id, "Varnel", 5000);
    EXPECT_NE(box, nullptr) << "the name was accepted";
    if (box == nullptr) continue;
    const std::string text = MessageBoxText(box);
    EXPECT_EQ(text, "Invalid Filename");
    ASSERT_TRUE(AnswerMessageBox(box, text.rfind("File Exists", 0) == 0 ? "No" : "OK"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
    EXPECT_NE(WaitForPrompt(session, kNewTitle), nullptr) << "the name was not asked again";
  }
  HWND prompt = FindWindowByCaption(session.Program().id, kNewTitle);
  if (prompt != nullptr) PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitForBoardIdle(session));
  EXPECT_EQ(FolderContents(session.Folder()), before);
  EXPECT_TRUE(session.CloseAndWait());
}
