// The project commands as a user meets them: naming a new project, switching projects in the
// combo box, saving when the file has gone, deleting, a very large library, and the ReadMe.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "tests/e2e/project_bytes.h"
#include "tests/e2e/session.h"

using namespace e2e;

namespace {

constexpr const char* kNewTitle = "Name of New Varnel Project";
constexpr const char* kSaveAsTitle = "Save Current Varnel Project As";

// Every file of the folder but the program, by name, with its bytes.
std::map<std::string, std::string> FolderContents(const std::string& folder) {
  std::map<std::string, std::string> contents;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return contents;
  do {
    const std::string name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "QUILLOW.EXE") continue;
    contents[name] = ReadWholeFile(folder + name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return contents;
}

// A board on a folder of tagged projects, with the first one current.
bool StartWithProjects(BoardSession& session, std::initializer_list<const char*> tags, const char* current) {
  for (const char* tag : tags) {
    if (!WriteWholeFile(session.Folder() + tag + ".vrl", TaggedProject(tag))) return false;
  }
  SetSetting("Files", "Current", session.Folder() + current + ".vrl");
  SetSetting("Options", "UseSystemTray", "0");
  return session.Start();
}

HWND WaitForPrompt(BoardSession& session, const char* title) {
  return WaitForWindowByCaption(session.Program().id, title, 10000);
}

// Replaces the proposed name by typing, then applies it with Return.
bool TypeName(HWND prompt, const std::string& name) {
  HWND edit = GetDlgItem(prompt, 1170);
  if (!Activate(prompt) || !WaitForFocus(edit) || !TypeInto(edit, name)) return false;
  PressKey(VK_RETURN);
  return true;
}

bool Cancel(HWND prompt) {
  if (!Activate(prompt)) return false;
  PressKey(VK_ESCAPE);
  return WaitUntil([&] { return !IsWindow(prompt); }, 5000);
}

std::string ButtonText(const BoardSession& session, int slot) { return WindowText(session.Item(1070 + 2 * slot)); }
std::string FieldText(const BoardSession& session, int slot) { return WindowText(session.Item(1071 + 2 * slot)); }

LRESULT ComboCount(const BoardSession& session) { return SendMessageA(session.Item(1003), CB_GETCOUNT, 0, 0); }

bool Listed(const BoardSession& session, const std::string& name) {
  return SendMessageA(session.Item(1003), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(name.c_str())) != CB_ERR;
}

bool NoMessageBoxOrPrompt(BoardSession& session) {
  return WaitForMessageBox(session.Program().id, "Varnel", 0) == nullptr &&
         FindWindowByCaption(session.Program().id, kSaveAsTitle) == nullptr;
}

}  // namespace

TEST(NewProject, TypedNamesBecomeFilesThatAreListedSelectedAndCurrent) {
  BoardSession session("new-project");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha"}, "Alpha"));

  const struct {
    const char* typed;
    const char* file;
  } rows[] = {{"  My   Project  ", " My Project.vrl"}, {"notes.txt", "notes.vrl"}};
  int listed = 1;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    PostMessageA(session.Board(), WM_COMMAND, 32771, 0);
    HWND prompt = WaitForPrompt(session, kNewTitle);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(WindowText(GetDlgItem(prompt, 1169)), "Create a new 31 button group of clipboard text messages.");
    // The second prompt: by then the splash of the start-up has left the screen.
    if (listed == 2) Screenshot("new-project-input-box", prompt);
    ASSERT_TRUE(TypeName(prompt, row.typed));

    const std::string path = session.Folder() + row.file;
    ASSERT_TRUE(WaitUntil([&] { return ReadWholeFile(path).size() == kProjectBytes; }, 5000)) << path;
    EXPECT_EQ(ReadWholeFile(path), std::string(kProjectBytes, '\0'));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(session.Item(1003)) == row.file; }, 3000))
        << WindowText(session.Item(1003));
    EXPECT_EQ(ComboCount(session), ++listed);
    EXPECT_EQ(GetSetting("Files", "Current"), path);
    EXPECT_EQ(WindowText(session.Board()), "Varnel >" + path);
    EXPECT_EQ(ButtonText(session, 0), "");
    EXPECT_EQ(FieldText(session, 32), "");
  }
  // The project left behind kept its slots.
  EXPECT_EQ(ReadWholeFile(session.Folder() + "Alpha.vrl"), TaggedProject("Alpha"));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(NewProject, UnusableNamesAreRefusedAndTheNameIsAskedAgain) {
  BoardSession session("new-project-invalid");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha"}, "Alpha"));
  const auto before = FolderContents(session.Folder());

  PostMessageA(session.Board(), WM_COMMAND, 32771, 0);
  for (const char* typed : {"***", "CON"}) {
    SCOPED_TRACE(typed);
    HWND prompt = WaitForPrompt(session, kNewTitle);
    ASSERT_NE(prompt, nullptr);
    ASSERT_TRUE(TypeName(prompt, typed));
    HWND box = WaitForMessageBox(session.Program().id, "Varnel", 5000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Invalid Filename");
    ASSERT_TRUE(AnswerMessageBox(box, "OK"));
  }
  HWND prompt = WaitForPrompt(session, kNewTitle);
  ASSERT_NE(prompt, nullptr) << "the name was not asked again";
  ASSERT_TRUE(Cancel(prompt));

  EXPECT_EQ(FolderContents(session.Folder()), before);
  EXPECT_EQ(GetSetting("Files", "Current"), session.Folder() + "Alpha.vrl");
  EXPECT_EQ(WindowText(session.Board()), "Varnel >" + session.Folder() + "Alpha.vrl");
  EXPECT_EQ(ButtonText(session, 0), "Alpha button 0");
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(NewProject, ExistingNameAsksBeforeOverwritingAndNoAsksAgain) {
  BoardSession session("new-project-exists");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Alpha"));
  const auto before = FolderContents(session.Folder());

  PostMessageA(session.Board(), WM_COMMAND, 32771, 0);
  HWND prompt = WaitForPrompt(session, kNewTitle);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(TypeName(prompt, "Beta"));
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 5000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), "File Exists:\n" + session.Folder() +
                                     "Beta.vrl\n\nDo you want to overwrite this [31 button group of clipboard text "
                                     "messages] ?");
  ASSERT_TRUE(AnswerMessageBox(box, "No"));

  prompt = WaitForPrompt(session, kNewTitle);
  ASSERT_NE(prompt, nullptr) << "No did not lead back to the name";
  ASSERT_TRUE(Cancel(prompt));
  EXPECT_EQ(FolderContents(session.Folder()), before);
  EXPECT_EQ(GetSetting("Files", "Current"), session.Folder() + "Alpha.vrl");
  EXPECT_EQ(ButtonText(session, 3), "Alpha button 3");
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(ChangingProject, EditedSlotsGoIntoTheLeftProjectWithoutAskingAndTheOtherIsShown) {
  BoardSession session("change-project");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Alpha"));
  SendMessageA(session.Item(1077), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("edited in Alpha"));
  SendMessageA(session.Item(1074), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));

  // The keyboard in the combo box, as a user picks the next project.
  ASSERT_TRUE(Activate(session.Board()));
  ASSERT_TRUE(WaitForFocus(session.Item(1003)));
  PressKey(VK_DOWN);
  const std::string beta = session.Folder() + "Beta.vrl";
  ASSERT_TRUE(WaitUntil([&] { return WindowText(session.Board()) == "Varnel >" + beta; }, 5000))
      << WindowText(session.Board());
  EXPECT_TRUE(NoMessageBoxOrPrompt(session));

  const std::string alpha = ReadWholeFile(session.Folder() + "Alpha.vrl");
  EXPECT_EQ(TextInFile(alpha, 3), "edited in Alpha");
  EXPECT_EQ(NameInFile(alpha, 2), "renamed");
  EXPECT_EQ(TextInFile(alpha, 4), "Alpha text 4\r\nsecond line");
  EXPECT_EQ(ButtonText(session, 2), "Beta button 2");
  EXPECT_EQ(FieldText(session, 3), "Beta text 3\r\nsecond line");
  EXPECT_EQ(WindowText(session.Item(1003)), "Beta.vrl");
  EXPECT_EQ(GetSetting("Files", "Current"), beta);

  // And back: the edit comes back from the file, and Beta was written unchanged.
  PressKey(VK_UP);
  ASSERT_TRUE(WaitUntil([&] { return FieldText(session, 3) == "edited in Alpha"; }, 5000)) << FieldText(session, 3);
  EXPECT_EQ(GetSetting("Files", "Current"), session.Folder() + "Alpha.vrl");
  EXPECT_EQ(ReadWholeFile(beta), TaggedProject("Beta"));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Saving, SaveWritesTheCurrentFileWithoutAsking) {
  BoardSession session("save");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha"}, "Alpha"));
  SendMessageA(session.Item(1071), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("saved by Save"));
  PostMessageA(session.Board(), WM_COMMAND, 32772, 0);
  EXPECT_TRUE(WaitUntil(
      [&] { return TextInFile(ReadWholeFile(session.Folder() + "Alpha.vrl"), 0) == "saved by Save"; }, 5000));
  EXPECT_TRUE(NoMessageBoxOrPrompt(session));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Saving, SaveAfterTheFileWasDeletedOutsideAsksForANameAndEscWritesNothing) {
  BoardSession session("save-deleted");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Alpha"));
  SendMessageA(session.Item(1071), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed after the delete"));
  ASSERT_TRUE(DeleteFileA((session.Folder() + "Alpha.vrl").c_str()));
  const auto before = FolderContents(session.Folder());

  PostMessageA(session.Board(), WM_COMMAND, 32772, 0);
  HWND prompt = WaitForPrompt(session, kSaveAsTitle);
  ASSERT_NE(prompt, nullptr) << "Save wrote without asking";
  EXPECT_EQ(WindowText(GetDlgItem(prompt, 1169)), "Save this 31 button group of clipboard text messages as:");
  EXPECT_EQ(WindowText(GetDlgItem(prompt, 1170)), "Alpha");
  ASSERT_TRUE(Cancel(prompt));
  // A write would come right after the prompt closed.
  WaitUntil([&] { return FolderContents(session.Folder()) != before; }, 300);
  EXPECT_EQ(FolderContents(session.Folder()), before);
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  // Closing asks the same question; declining it and then closing without saving keeps the
  // folder as it is.
  prompt = WaitForPrompt(session, kSaveAsTitle);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(Cancel(prompt));
  HWND question = WaitForMessageBox(session.Program().id, "Varnel", 10000);
  ASSERT_NE(question, nullptr) << "the close gave up the texts without asking";
  ASSERT_TRUE(AnswerMessageBox(question, "No"));
  EXPECT_TRUE(WaitForExit(session.Program(), 10000));
  EXPECT_EQ(FolderContents(session.Folder()), before);
}

TEST(Saving, SaveAsThenEscWritesNothing) {
  BoardSession session("save-as-esc");
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Alpha"));
  const auto before = FolderContents(session.Folder());
  SendMessageA(session.Item(1071), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("not to be saved"));

  PostMessageA(session.Board(), WM_COMMAND, 32773, 0);
  HWND prompt = WaitForPrompt(session, kSaveAsTitle);
  ASSERT_NE(prompt, nullptr);
  ASSERT_TRUE(Cancel(prompt));
  // A write would come right after the prompt closed.
  WaitUntil([&] { return FolderContents(session.Folder()) != before; }, 300);
  EXPECT_EQ(FolderContents(session.Folder()), before);
  EXPECT_EQ(GetSetting("Files", "Current"), session.Folder() + "Alpha.vrl");
  EXPECT_EQ(WindowText(session.Board()), "Varnel >" + session.Folder() + "Alpha.vrl");
  // The typed text stays on the board (closing saves it into Alpha as usual).
  EXPECT_EQ(FieldText(session, 0), "not to be saved");
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Deleting, YesRemovesTheProjectAndLoadsTheFirstRemainingOne) {
  BoardSession session("delete");
  // Sorted: Alpha, Beta, Delta, Gamma. Deleting Delta tells the first remaining entry apart
  // from the neighbours on either side.
  ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta", "Gamma", "Delta"}, "Delta"));
  const std::string delta = session.Folder() + "Delta.vrl";
  const std::string question = "You are about to delete project:\n" + delta + "\n\nDo you want to delete this project?";

  PostMessageA(session.Board(), WM_COMMAND, 32774, 0);
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 5000);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), question);
  ASSERT_TRUE(AnswerMessageBox(box, "No"));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  EXPECT_TRUE(FileExists(delta));
  EXPECT_EQ(ComboCount(session), 4);

  PostMessageA(session.Board(), WM_COMMAND, 32774, 0);
  box = WaitForMessageBox(session.Program().id, "Varnel", 5000);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(AnswerMessageBox(box, "Yes"));
  const std::string alpha = session.Folder() + "Alpha.vrl";
  ASSERT_TRUE(WaitUntil([&] { return WindowText(session.Board()) == "Varnel >" + alpha; }, 5000))
      << WindowText(session.Board());
  EXPECT_FALSE(FileExists(delta));
  EXPECT_EQ(ComboCount(session), 3);
  EXPECT_FALSE(Listed(session, "Delta.vrl"));
  EXPECT_EQ(WindowText(session.Item(1003)), "Alpha.vrl");
  EXPECT_EQ(ButtonText(session, 5), "Alpha button 5");
  EXPECT_EQ(FieldText(session, 5), "Alpha text 5\r\nsecond line");
  EXPECT_EQ(GetSetting("Files", "Current"), alpha);
  EXPECT_EQ(ReadWholeFile(alpha), TaggedProject("Alpha"));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Deleting, TheOnlyProjectLeavesTheSlotsWithNoProject) {
  BoardSession session("delete-only");
  ASSERT_TRUE(StartWithProjects(session, {"Solo"}, "Solo"));
  PostMessageA(session.Board(), WM_COMMAND, 32774, 0);
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 5000);
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(AnswerMessageBox(box, "Yes"));

  ASSERT_TRUE(WaitUntil([&] { return !FileExists(session.Folder() + "Solo.vrl"); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return GetSetting("Files", "Current").empty(); }, 3000)) << GetSetting("Files", "Current");
  EXPECT_EQ(ComboCount(session), 0);
  EXPECT_EQ(WindowText(session.Item(1003)), "");
  EXPECT_EQ(ButtonText(session, 0), "Solo button 0");
  EXPECT_EQ(FieldText(session, 32), "Solo text 32\r\nsecond line");
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_TRUE(FolderContents(session.Folder()).empty());
}

TEST(Listing, SevenThousandProjectFilesListOnly6501) {
  BoardSession session("listing");
  const std::string first = session.Folder() + "p0000.vrl";
  ASSERT_TRUE(WriteWholeFile(first, TaggedProject("P")));
  const std::string bulk = UnixNamespacePath(session.Folder());
  for (int i = 1; i < 7000; ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "p%04d.vrl", i);
    ASSERT_TRUE(CreateHardLinkA((bulk + name).c_str(), first.c_str(), nullptr)) << name;
  }
  SetSetting("Files", "Current", first);
  ASSERT_TRUE(session.Start());
  EXPECT_EQ(ComboCount(session), 6501);
  EXPECT_EQ(WindowText(session.Item(1003)), "p0000.vrl");
  EXPECT_TRUE(session.CloseAndWait(30000));
}

namespace {

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

TEST(ReadMe, MissingFileIsReportedAfterTheBoardLeftTheTopmostBand) {
  // Wine applies HWND_TOPMOST only to a window that is not already first in the z-order, so a
  // board alone on the desktop would never enter the band; another always-on-top window (as a
  // user's desktop usually has) lets it.
  HWND other = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Static", "always on top", WS_POPUP | WS_VISIBLE, 0, 0,
                               40, 40, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  BoardSession session("readme-missing");
  SetSetting("Options", "TopMost", "1");
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(session.Start());
  HWND check = session.Item(1002);
  ASSERT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_TRUE(WaitUntil([&] { return IsTopmost(session.Board()); }, 3000)) << "the board did not start topmost";

  PostMessageA(session.Board(), WM_COMMAND, 32785, 0);
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 10000);
  ASSERT_NE(box, nullptr);
  const std::string text = MessageBoxText(box);
  EXPECT_EQ(text.rfind("Unable to open:\n" + session.Folder() + "README.TXT", 0), 0u) << text;
  EXPECT_FALSE(IsTopmost(session.Board()));
  EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  ASSERT_TRUE(AnswerMessageBox(box, "OK"));
  EXPECT_TRUE(session.CloseAndWait());
  DestroyWindow(other);
}
