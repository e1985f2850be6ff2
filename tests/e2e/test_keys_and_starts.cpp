// Escape on the board, and starts that go wrong in some way: a copy of the program without its
// splash template, a second copy while the first is closing, and a stored current project that
// cannot be loaded or is written in another form.
#include <gtest/gtest.h>

#include <vector>

#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

std::string HandleText(HWND window) { return std::to_string(static_cast<int>(reinterpret_cast<LONG_PTR>(window))); }

// What a user sees of the board: caption, every slot, both check boxes and the combo box.
std::vector<std::string> BoardPicture(const BoardSession& session) {
  std::vector<std::string> picture = {Caption(session), ComboText(session)};
  for (int id : {1001, 1002}) {
    picture.push_back(std::to_string(SendMessageA(session.Item(id), BM_GETCHECK, 0, 0)));
  }
  for (int i = 0; i < 33; ++i) {
    picture.push_back(ButtonText(session, i));
    picture.push_back(FieldText(session, i));
  }
  return picture;
}

// Gives a control the focus the way the dialog manager does, without clicking it: a click
// would copy, or tick a check box.
bool FocusWithoutClicking(const BoardSession& session, HWND control) {
  if (!Activate(session.Board())) return false;
  // The board answers a repaint by moving the focus to its combo box: let activation's paints run first.
  Pause(300);
  SendMessageA(session.Board(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  return WaitForFocus(control);
}

// One resource of a program, read from its file.
struct Resource {
  std::string type;  // empty for a numbered type
  WORD typeId = 0;
  std::string name;  // empty for a numbered name
  WORD nameId = 0;
  WORD language = 0;
  std::string bytes;
  LPCSTR Type() const { return type.empty() ? MAKEINTRESOURCEA(typeId) : type.c_str(); }
  LPCSTR Name() const { return name.empty() ? MAKEINTRESOURCEA(nameId) : name.c_str(); }
};

BOOL CALLBACK CollectLanguage(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR found) {
  Resource resource;
  if (IS_INTRESOURCE(type)) {
    resource.typeId = LOWORD(reinterpret_cast<ULONG_PTR>(type));
  } else {
    resource.type = type;
  }
  if (IS_INTRESOURCE(name)) {
    resource.nameId = LOWORD(reinterpret_cast<ULONG_PTR>(name));
  } else {
    resource.name = name;
  }
  resource.language = language;
  HRSRC info = FindResourceExA(module, type, name, language);
  HGLOBAL loaded = info != nullptr ? LoadResource(module, info) : nullptr;
  const char* data = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (data == nullptr) return FALSE;
  resource.bytes.assign(data, SizeofResource(module, info));
  reinterpret_cast<std::vector<Resource>*>(found)->push_back(resource);
  return TRUE;
}

BOOL CALLBACK CollectName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR found) {
  return EnumResourceLanguagesA(module, type, name, CollectLanguage, found);
}

BOOL CALLBACK CollectType(HMODULE module, LPSTR type, LONG_PTR found) {
  return EnumResourceNamesA(module, type, CollectName, found);
}

bool HasDialogTemplate(const std::string& program, int id) {
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return false;
  const bool found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG) != nullptr;
  FreeLibrary(module);
  return found;
}

// Deletes a dialog template, in every language it has, from a copy of the program. The copy's
// resources are written anew without it: Wine's UpdateResource with no data reports success
// but keeps the resource.
bool RemoveDialogTemplate(const std::string& program, int id) {
  std::vector<Resource> resources;
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return false;
  const bool read = EnumResourceTypesA(module, CollectType, reinterpret_cast<LONG_PTR>(&resources));
  FreeLibrary(module);
  if (!read) return false;

  HANDLE update = BeginUpdateResourceA(program.c_str(), TRUE);
  if (update == nullptr) return false;
  bool written = true;
  for (Resource& resource : resources) {
    if (resource.Type() == RT_DIALOG && resource.Name() == MAKEINTRESOURCEA(id)) continue;
    written = UpdateResourceA(update, resource.Type(), resource.Name(), resource.language, resource.bytes.data(),
                              static_cast<DWORD>(resource.bytes.size())) &&
              written;
  }
  return EndUpdateResourceA(update, written ? FALSE : TRUE) && written;
}

}  // namespace

TEST(Escape, LeavesTheBoardOpenAndUnchangedWhereverTheFocusIs) {
  const struct {
    const char* where;
    int control;
  } rows[] = {{"text-field", 1073}, {"copy-button", 1070}, {"check-box", 1001}, {"combo-box", 1003}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.where);
    BoardSession session(std::string("escape-") + row.where);
    const std::string path = session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
    SetSetting("Options", "UseSystemTray", "0");
    ASSERT_TRUE(session.Start());
    // An edit that only a save would put into the file, so an unwanted close shows there.
    SetText(session.Item(1075), "edited before Escape");
    const auto picture = BoardPicture(session);
    const std::string file = ReadWholeFile(path);

    ASSERT_TRUE(FocusWithoutClicking(session, session.Item(row.control)));
    PressKey(VK_ESCAPE);
    const bool open = StaysOpen(session, 2000);
    EXPECT_TRUE(open) << "Escape closed the board";
    EXPECT_TRUE(Holds(path, file));
    if (open) {
      EXPECT_EQ(BoardPicture(session), picture);
      EXPECT_TRUE(session.CloseAndWait());
    }
  }
}

TEST(StartUp, ACopyWithoutItsSplashTemplateStillShowsTheBoard) {
  BoardSession session("no-splash-template");
  const std::string program = session.Folder() + "QUILLOW.EXE";
  ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(RemoveDialogTemplate(program, 211));
  ASSERT_FALSE(HasDialogTemplate(program, 211));
  ASSERT_TRUE(HasDialogTemplate(program, 200)) << "the copy lost its board";

  ASSERT_TRUE(session.Launch());
  EXPECT_NE(session.WaitForBoardWindow(15000), nullptr)
      << "no board within 15 s; the program " << (WaitForExit(session.Program(), 0) ? "ended" : "still runs");
  if (session.Board() != nullptr) {
    EXPECT_TRUE(session.CloseAndWait());
  }
}

TEST(RunningCopy, ASecondStartWaitsWhileTheFirstBoardAsksForANameAndThenRuns) {
  BoardSession first("running-while-closing");
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(first.Start("NewSession"));
  SetText(first.Item(1071), "typed before closing");
  PostMessageA(first.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND prompt = WaitForPrompt(first, kSaveAsTitle);
  ASSERT_NE(prompt, nullptr);

  Process second = StartBoard(first.Folder());
  ASSERT_NE(second.handle, nullptr);
  // A second board left running would stay registered for the tests after this one.
  struct Ender {
    Process& process;
    ~Ender() { Kill(process); }
  } ender{second};
  EXPECT_FALSE(WaitForExit(second, 4000)) << "the second copy ended while the first board was asking";

  PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(AnswerUnsavedTexts(first, "No"));
  ASSERT_TRUE(WaitForExit(first.Program(), 10000));
  HWND board = WaitForBoard(second, 15000);
  EXPECT_NE(board, nullptr) << "no board runs after the first one ended";
  if (board != nullptr) {
    EXPECT_TRUE(WaitUntil([&] { return GetSetting("Handles", "TransHandle") == HandleText(board); }, 5000))
        << GetSetting("Handles", "TransHandle");
    EXPECT_TRUE(CloseBoard(board));
  }
}

namespace {

bool SetDwordSetting(const std::string& subkey, const std::string& name, DWORD value) {
  HKEY key = nullptr;
  const std::string path = std::string(kSettingsKey) + "\\" + subkey;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const LONG status =
      RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace

TEST(StartUp, ACurrentProjectThatCannotBeLoadedLeavesABlankBoardWithoutAFile) {
  enum class Kind { Missing, Empty, Short, Long, Folder, Held, Number };
  // The reason the board gives once it shows; none for a number, which names no project.
  const struct {
    const char* what;
    Kind kind;
    const char* reason;
  } rows[] = {{"missing", Kind::Missing, kNotFound}, {"empty", Kind::Empty, kTooShort},
              {"short", Kind::Short, kTooShort},     {"long", Kind::Long, kTooLong},
              {"folder", Kind::Folder, kNotAFile},   {"held-open", Kind::Held, kInUse},
              {"dword", Kind::Number, nullptr}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    BoardSession session(std::string("unloadable-") + row.what);
    ASSERT_TRUE(WriteWholeFile(session.Folder() + "Other.vrl", TaggedProject("O")));
    const std::string path = session.Folder() + "Letters.vrl";
    SetSetting("Files", "Current", path);
    SetSetting("Options", "UseSystemTray", "0");
    switch (row.kind) {
      case Kind::Missing:
        break;
      case Kind::Empty:
        ASSERT_TRUE(WriteWholeFile(path, ""));
        break;
      case Kind::Short:
        ASSERT_TRUE(WriteWholeFile(path, TaggedProject("L").substr(0, kProjectBytes - 1)));
        break;
      case Kind::Long:
        ASSERT_TRUE(WriteWholeFile(path, TaggedProject("L") + "tail the next save would cut"));
        break;
      case Kind::Folder:
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
        break;
      case Kind::Held:
        ASSERT_TRUE(WriteWholeFile(path, TaggedProject("L")));
        break;
      case Kind::Number:
        // A number whose bytes spell the name of a project file that is there: "Dw1".
        ASSERT_TRUE(WriteWholeFile(session.Folder() + "Dw1", TaggedProject("L")));
        ASSERT_TRUE(SetDwordSetting("Files", "Current", 0x00317744));
        break;
    }
    const auto before = FolderContents(session.Folder());
    HeldFile held(row.kind == Kind::Held ? path : std::string());
    ASSERT_EQ(held.Held(), row.kind == Kind::Held);

    ASSERT_TRUE(session.Start());
    if (row.reason != nullptr) {
      EXPECT_TRUE(ConfirmBox(session, CannotLoad(path, row.reason)));
    }
    EXPECT_EQ(WaitForMessageBox(session.Program().id, "Varnel", 500), nullptr) << "told more than once";
    EXPECT_TRUE(AllSlotsEmpty(session)) << "slot 0: " << ButtonText(session, 0);
    EXPECT_EQ(Caption(session), "Varnel >");
    EXPECT_EQ(SendMessageA(session.Item(1003), CB_GETCURSEL, 0, 0), CB_ERR) << ComboText(session);
    EXPECT_FALSE(CloseWasAsked(session)) << "closing a blank board asked for a name";
    held.Release();
    EXPECT_EQ(FolderContents(session.Folder()), before);
  }
}

TEST(StartUp, AProgramFolderSettingThatCannotBeUsedIsToldOnceAndNewKeepsToTheProgramsFolder) {
  const struct {
    const char* what;
    const char* notice;
    std::string value;
  } rows[] = {{"missing", "is missing", ""},
              {"no-folder", "names no folder", "C:\\no such folder of varnel\\"},
              {"too-long", "is too long", "C:\\" + std::string(240, 'x') + "\\"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    BoardSession session(std::string("program-folder-") + row.what);
    SetSetting("Configure", "ThisProgramDir", row.value);
    SetSetting("Options", "UseSystemTray", "0");
    ASSERT_TRUE(session.Start());
    EXPECT_TRUE(ConfirmBox(session, ProgramFolderNotice(row.notice, session.Folder())));
    EXPECT_EQ(WaitForMessageBox(session.Program().id, "Varnel", 500), nullptr) << "told more than once";
    EXPECT_EQ(GetSetting("Configure", "ThisProgramDir"), row.value) << "the setting was changed";

    PostMessageA(session.Board(), WM_COMMAND, 32771, 0);
    HWND prompt = WaitForPrompt(session, kNewTitle);
    ASSERT_NE(prompt, nullptr);
    ASSERT_TRUE(TypeName(prompt, "Fresh"));
    EXPECT_TRUE(WaitUntil([&] { return FileExists(session.Folder() + "Fresh.vrl"); }, 10000))
        << "New did not create the project in the program's folder";
    EXPECT_FALSE(FileExists("C:\\Fresh.vrl")) << "New created the project at the drive's root";
    DeleteFileA("C:\\Fresh.vrl");
    EXPECT_TRUE(session.CloseAndWait());
  }
}

TEST(StartUp, ACurrentWrittenWithForwardSlashesLoadsLikeTheBackslashForm) {
  BoardSession session("current-forward-slashes");
  const std::string alpha = session.Folder() + "Alpha.vrl";
  const std::string path = session.Folder() + "Letters.vrl";
  ASSERT_TRUE(WriteWholeFile(alpha, TaggedProject("A")));
  ASSERT_TRUE(WriteWholeFile(path, TaggedProject("L")));
  std::string forward = path;
  for (char& c : forward) {
    if (c == '\\') c = '/';
  }
  SetSetting("Files", "Current", forward);
  SetSetting("Options", "UseSystemTray", "0");
  ASSERT_TRUE(session.Start());

  EXPECT_EQ(Caption(session), "Varnel >" + path);
  EXPECT_TRUE(ShowsTaggedProject(session, "L"));
  EXPECT_EQ(ComboText(session), "Letters.vrl");
  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_TRUE(Holds(alpha, TaggedProject("A")));
}
