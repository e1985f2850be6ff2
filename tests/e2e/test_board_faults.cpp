// The board's write commands with each of their file operations failing in turn, in the board's
// fault-injecting twin: Save, Save As, New Project, a change of project, Delete Project,
// Consolidate Projects and closing. Each command runs once to count its operations, then once
// per operation with exactly that one failing, and once with its first write cut short.
// Afterwards every file holds its old or its new bytes, whole; no temporary file is left; a
// failure that kept the command from its end was shown to the user; and the board still shows
// either the slots it had or the command's result.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <set>

#include "tests/e2e/board_steps.h"
#include "tests/e2e/shared_fault_plan.h"

using namespace e2e;

namespace {

constexpr const char* kEdited = "edited before the command";
constexpr const char* kConsolidateCaption = "Consolidate Projects";

SharedPlan& Plan() {
  static SharedPlan plan;
  return plan;
}

// What the user can see: the folder's files (each by size and hash) and a few of the board's
// slots, enough to tell its project, an edit, a new order and an emptied board apart. Reading all
// 66 controls of another process for every run would cost more than the command.
struct Scene {
  std::map<std::string, std::string> files;
  std::vector<std::string> slots;
};

constexpr int kLookedAt[] = {0, 1, 2, 32};

Scene Look(BoardSession& session) {
  Scene scene{FolderContents(session.Folder()), {}};
  if (Ended(session)) return scene;
  for (int slot : kLookedAt) {
    scene.slots.push_back(ButtonText(session, slot));
    scene.slots.push_back(FieldText(session, slot));
  }
  return scene;
}

std::optional<std::string> Lookup(const std::map<std::string, std::string>& files, const std::string& name) {
  const auto found = files.find(name);
  if (found == files.end()) return std::nullopt;
  return found->second;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// The windows of the program that a command may open, shown or about to be. Found by class and
// caption without a message to each window (GetWindowText reads another process's caption
// directly): a command's run looks for them several times.
struct Opened {
  HWND box = nullptr;
  HWND prompt = nullptr;
  HWND dialog = nullptr;
};

Opened LookForWindows(BoardSession& session) {
  Opened opened;
  for (HWND window : TopLevelWindowsOf(session.Program().id)) {
    if (ClassName(window) != "#32770") continue;
    char text[128] = {};
    GetWindowTextA(window, text, sizeof text);
    const std::string caption = text;
    if (caption == "Varnel") opened.box = window;
    if (caption == kSaveAsTitle || caption == kNewTitle) opened.prompt = window;
    if (caption == kConsolidateCaption) opened.dialog = window;
  }
  return opened;
}

// Waits until the board has carried a command out, answering on the way as a user would: a name
// prompt with `name` ("" cancels it), the delete question with Yes, every other message box with
// OK; `inDialog` acts once in the Consolidate Projects dialog. Returns the texts of the boxes
// answered with OK.
std::string Finish(BoardSession& session, const std::string& name = "",
                   const std::function<void(HWND)>& inDialog = nullptr) {
  std::string shown;
  bool dialogDone = false;
  // A box can be on its way while the board answers (Wine lets the thread take sent messages
  // while it makes the box, before its caption is set): only a second look that finds nothing
  // ends the command.
  int quietLooks = 0;
  for (int step = 0; step < 16; ++step) {
    if (Ended(session) || !WaitForBoardIdle(session)) return shown;
    const Opened opened = LookForWindows(session);
    if (HWND box = opened.box) {
      if (!WaitUntil([&] { return IsVisible(box); }, 5000)) break;
      const std::string text = MessageBoxText(box);
      const bool question = text.rfind("You are about to delete", 0) == 0;
      // After a failed save at closing the board asks what to do with its texts: back to the
      // board, so that a failure can be judged on the board that kept them.
      const bool unsaved = text == kUnsavedTexts;
      if (!question && !unsaved) shown += text;
      AnswerMessageBox(box, question ? "Yes" : unsaved ? "Cancel" : "OK");
      WaitUntil([&] { return !IsWindow(box); }, 5000);
      quietLooks = 0;
      continue;
    }
    if (HWND prompt = opened.prompt) {
      if (!name.empty()) SetText(GetDlgItem(prompt, 1170), name);
      PostMessageA(prompt, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
      WaitUntil([&] { return !IsWindow(prompt); }, 5000);
      quietLooks = 0;
      continue;
    }
    if (opened.dialog != nullptr && inDialog && !dialogDone) {
      dialogDone = true;
      inDialog(opened.dialog);
      quietLooks = 0;
      continue;
    }
    if (opened.dialog == nullptr && ++quietLooks == 2) return shown;
  }
  ADD_FAILURE() << "the command did not come to an end";
  return shown;
}

// Chooses a project in the combo box and lets the board finish, cancelling a name prompt.
void Choose(BoardSession& session, const std::string& name) {
  ASSERT_TRUE(ChooseProject(session, name)) << name << " is not listed";
  Finish(session);
}

void Command(BoardSession& session, UINT command, const std::string& name = "") {
  PostCommand(session, command);
  Finish(session, name);
}

bool CurrentIs(BoardSession& session, const std::string& name) {
  return GetSetting("Files", "Current") == session.Folder() + name;
}

// The figures of one command's sweep.
struct Tally {
  int operations = 0;
  int faults = 0;
  bool shortWrite = false;
  int lost = 0;
};

// Every command's figures, added up for the line printed at the end.
class Totals : public ::testing::Environment {
 public:
  void Add(const Tally& tally) {
    ++paths_;
    operations_ += tally.operations;
    faults_ += tally.faults;
    shortWrites_ += tally.shortWrite ? 1 : 0;
    lost_ += tally.lost;
  }
  void TearDown() override {
    std::printf("fault sweep: %d paths, %d operations, %d faults injected, %d short writes, %d files lost\n", paths_,
                operations_, faults_, shortWrites_, lost_);
  }

 private:
  int paths_ = 0;
  int operations_ = 0;
  int faults_ = 0;
  int shortWrites_ = 0;
  int lost_ = 0;
};

Totals* const totals = static_cast<Totals*>(::testing::AddGlobalTestEnvironment(new Totals));

void Print(const std::string& name, const Tally& tally) {
  std::printf("fault sweep: %s: %d operations, %d faults injected%s, %d files lost\n", name.c_str(), tally.operations,
              tally.faults, tally.shortWrite ? " (+1 short write)" : "", tally.lost);
  std::fflush(stdout);
  totals->Add(tally);
}

// Judges one run with a fault against the scenes before and after the counted run; returns the
// files lost. silentAllowed: the fault was in the load that ends the command, which names the
// project it could not load, the board keeping its slots.
int Judge(const std::string& folder, const Scene& start, const Scene& end, Scene now, const std::string& shown,
          bool silentAllowed) {
  // A backup that could not be removed stays, named in the message.
  const std::string deleting = "Error deleting:\n";
  if (shown.rfind(deleting, 0) == 0) {
    const std::string left = FileNameOf(shown.substr(deleting.size()));
    if (start.files.count(left) == 0 && end.files.count(left) == 0) now.files.erase(left);
  }
  int lost = 0;
  std::set<std::string> names;
  for (const auto& files : {start.files, end.files, now.files}) {
    for (const auto& [name, ignored] : files) names.insert(name);
  }
  for (const std::string& name : names) {
    const std::optional<std::string> held = Lookup(now.files, name);
    if (held == Lookup(start.files, name) || held == Lookup(end.files, name)) continue;
    if (start.files.count(name) == 0 && end.files.count(name) == 0) {
      ADD_FAILURE() << name << " was left behind";
    } else {
      ADD_FAILURE() << name << " holds neither its old nor its new bytes: " << (held ? *held : "missing");
      ++lost;
    }
  }
  const bool filesNew = now.files == end.files;
  if (!shown.empty()) {
    const bool unloadable = silentAllowed && shown.rfind("This project cannot be loaded:\n" + folder, 0) == 0;
    // A project that a consolidation could not read is named as one that could not be opened.
    EXPECT_TRUE(shown.rfind("Error saving:\n" + folder, 0) == 0 || shown.rfind(deleting + folder, 0) == 0 ||
                shown.rfind("Unable to open:\n" + folder, 0) == 0 || unloadable)
        << shown;
    EXPECT_TRUE(now.slots == start.slots || now.slots == end.slots) << "the board lost its slots";
    EXPECT_FALSE(filesNew && now.slots == end.slots && shown.rfind(deleting, 0) != 0)
        << "\"" << shown << "\" although the command was done";
  } else {
    EXPECT_TRUE(filesNew && (now.slots == end.slots || (silentAllowed && now.slots == start.slots)))
        << "a failure went unreported";
  }
  return lost;
}

// A command swept in one board: `reset` brings the board and the files back to where the command
// starts, `command` runs it and returns what it showed. silentTail: the operations at its end
// that load the project shown next. `afterwards` runs without faults before the scene is taken.
struct SweptCommand {
  std::string name;
  std::function<void()> reset;
  std::function<std::string()> command;
  int silentTail = 0;
  std::function<void()> afterwards = nullptr;
};

Tally Sweep(BoardSession& session, const SweptCommand& swept) {
  Tally tally;
  swept.reset();
  const Scene start = Look(session);
  Plan().Arm(-1, false);
  EXPECT_EQ(swept.command(), "") << swept.name << " failed without a fault";
  tally.operations = Plan().Disarm().operations;
  if (swept.afterwards) swept.afterwards();
  const Scene end = Look(session);
  EXPECT_GT(tally.operations, 0);
  EXPECT_NE(start.files, end.files) << swept.name << " wrote nothing";

  for (int run = 0; run <= tally.operations; ++run) {
    const bool shortWrite = run == tally.operations;
    SCOPED_TRACE(swept.name +
                 (shortWrite ? ": the first write short" : ": operation " + std::to_string(run) + " failing"));
    swept.reset();
    const Scene before = Look(session);
    EXPECT_TRUE(before.files == start.files && before.slots == start.slots) << "the command's start was not restored";
    Plan().Arm(shortWrite ? -1 : run, shortWrite);
    const std::string shown = swept.command();
    const FaultPlan plan = Plan().Disarm();
    if (swept.afterwards) swept.afterwards();
    if (shortWrite) {
      tally.shortWrite = plan.injected == 1;
      // A command without writes cannot be cut short.
      if (plan.injected == 0) continue;
    } else {
      EXPECT_EQ(plan.injected, 1) << "the fault never came";
      tally.faults += plan.injected;
    }
    tally.lost += Judge(session.Folder(), start, end, Look(session), shown,
                        !shortWrite && run >= tally.operations - swept.silentTail);
    if (::testing::Test::HasFatalFailure()) break;
  }
  Print(swept.name, tally);
  return tally;
}

// One board, on Alpha and Beta, for every command swept in it: starting a board costs as much as
// a dozen runs. Each command's reset brings it to where that command starts.
class BoardFaults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared_ = new BoardSession("board-faults");
    started_ = Plan().Valid() && StartWithProjects(*shared_, {"Alpha", "Beta"}, "Alpha");
  }
  static void TearDownTestSuite() {
    if (started_) {
      EXPECT_TRUE(shared_->CloseAndWait());
    }
    delete shared_;
    shared_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(started_) << "no board";
    ASSERT_FALSE(Ended(session_)) << "the board ended in an earlier case";
  }

  std::string Path(const std::string& name) const { return session_.Folder() + name; }

  // Back on Alpha, with Alpha's old bytes on disk and the edit on the board.
  void BackOnEditedAlpha() {
    if (!CurrentIs(session_, "Alpha.vrl")) Choose(session_, "Alpha.vrl");
    ASSERT_TRUE(WriteWholeFile(Path("Alpha.vrl"), TaggedProject("Alpha")));
    SetText(session_.Item(1071), kEdited);
  }

  // The board shows the slots that a scene looks at as the file holds them.
  bool ShowsAsInFile(const std::string& bytes) {
    for (int slot : kLookedAt) {
      if (ButtonText(session_, slot) != NameInFile(bytes, slot) ||
          FieldText(session_, slot) != TextInFile(bytes, slot)) {
        return false;
      }
    }
    return true;
  }

  void ExpectNothingLost(const Tally& tally) { EXPECT_EQ(tally.lost, 0); }

  static inline BoardSession* shared_ = nullptr;
  static inline bool started_ = false;
  BoardSession& session_ = *shared_;
};

}  // namespace

TEST_F(BoardFaults, Save) {
  ExpectNothingLost(Sweep(session_, {"save", [&] { BackOnEditedAlpha(); },
                                     [&] {
                                       PostCommand(session_, 32772);
                                       return Finish(session_);
                                     }}));
}

TEST_F(BoardFaults, SaveAs) {
  const auto reset = [&] {
    BackOnEditedAlpha();
    DeleteFileA(Path("Copy.vrl").c_str());
  };
  ExpectNothingLost(Sweep(session_, {"save as", reset, [&] {
                                       PostCommand(session_, 32773);
                                       return Finish(session_, "Copy");
                                     }}));
}

TEST_F(BoardFaults, NewProject) {
  const auto reset = [&] {
    BackOnEditedAlpha();
    DeleteFileA(Path("Fresh.vrl").c_str());
  };
  ExpectNothingLost(Sweep(session_, {"new project", reset, [&] {
                                       PostCommand(session_, 32771);
                                       return Finish(session_, "Fresh");
                                     }}));
}

TEST_F(BoardFaults, ProjectChange) {
  ExpectNothingLost(Sweep(session_, {"project change", [&] { BackOnEditedAlpha(); },
                                     [&] {
                                       ChooseProject(session_, "Beta.vrl");
                                       return Finish(session_);
                                     },
                                     3}));
}

// Doomed holds Alpha's slots with its own first text; deleting it shows Alpha.
TEST_F(BoardFaults, DeleteProject) {
  const auto reset = [&] {
    if (FileExists(Path("Doomed.vrl"))) return;
    // A failed load after the deletion leaves the board without a project.
    if (!CurrentIs(session_, "Alpha.vrl")) Choose(session_, "Alpha.vrl");
    Command(session_, 32773, "Doomed");
    SetText(session_.Item(1071), "doomed");
    Command(session_, 32772);
  };
  ExpectNothingLost(Sweep(session_, {"delete project", reset,
                                     [&] {
                                       PostCommand(session_, 32774);
                                       return Finish(session_);
                                     },
                                     3}));
}

// Alpha, the current project, is consolidated alone: its slots come out in a new order.
TEST_F(BoardFaults, ConsolidateProjects) {
  std::string captions[33] = {"Cherry", "apple", "Banana"};
  std::string texts[33] = {"cherry text", "apple text", "banana text"};
  const std::string unsorted = ProjectBytes(captions, texts);
  bool loaded = false;
  const auto reset = [&] {
    // A journal that a failed removal left is named in its message; the next start would finish it.
    DeleteFileA(Path("consolidation.jnl").c_str());
    // Once the board has loaded the project, it shows what Alpha holds, and the old slots are
    // typed back; unless Alpha could not be shown again after it took its new order: then the
    // board moves away and back.
    if (!loaded || !CurrentIs(session_, "Alpha.vrl") || !ShowsAsInFile(ReadWholeFile(Path("Alpha.vrl")))) {
      loaded = true;
      // Slots that belong to no file are offered Save As before a switch, and a declined name
      // keeps them on the board: they are emptied first.
      if (Caption(session_) == "Varnel >") {
        for (int slot = 0; slot < 33; ++slot) {
          SetText(session_.Item(1070 + 2 * slot), "");
          SetText(session_.Item(1071 + 2 * slot), "");
        }
      }
      Choose(session_, "Beta.vrl");
      ASSERT_TRUE(WriteWholeFile(Path("Alpha.vrl"), unsorted));
      Choose(session_, "Alpha.vrl");
      return;
    }
    ASSERT_TRUE(WriteWholeFile(Path("Alpha.vrl"), unsorted));
    for (int slot = 0; slot < 3; ++slot) {
      SetText(session_.Item(1070 + 2 * slot), captions[slot]);
      SetText(session_.Item(1071 + 2 * slot), texts[slot]);
    }
  };
  const auto chooseAlphaAndStart = [](HWND dialog) {
    HWND all = GetDlgItem(dialog, 1160);
    const std::wstring wide = L"Alpha.vrl";
    LRESULT alpha =
        SendMessageA(all, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("Alpha.vrl"));
    if (alpha == LB_ERR) {
      alpha = SendMessageW(all, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageA(all, LB_SETCURSEL, static_cast<WPARAM>(alpha), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1160, LBN_DBLCLK), reinterpret_cast<LPARAM>(all));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1164, BN_CLICKED), 0);
  };
  // The board must not hold Alpha's old slots as Alpha's once Alpha took its new order: a save
  // would put them back. It may ask for a name instead, which is declined.
  const auto saveAfterwards = [&] { Command(session_, 32772); };
  ExpectNothingLost(Sweep(session_, {"consolidate", reset,
                                     [&] {
                                       PostCommand(session_, 32780);
                                       return Finish(session_, "", chooseAlphaAndStart);
                                     },
                                     3, saveAfterwards}));
}

// Closing saves Alpha. A failed save asks what to do with the texts, and going back keeps the
// board open; a save that works
// ends the program: every run is a board of its own.
TEST(BoardFaultsAtClosing, Close) {
  ASSERT_TRUE(Plan().Valid());
  Tally tally;
  Scene start;
  Scene end;
  for (int run = -1; run <= tally.operations; ++run) {
    const bool counting = run == -1;
    const bool shortWrite = !counting && run == tally.operations;
    SCOPED_TRACE(counting     ? "counting"
                 : shortWrite ? "the first write short"
                              : "operation " + std::to_string(run) + " failing");
    BoardSession session("board-faults-close");
    ASSERT_TRUE(StartWithProjects(session, {"Alpha", "Beta"}, "Alpha"));
    SetText(session.Item(1071), kEdited);
    const Scene before = Look(session);
    if (counting) start = before;
    EXPECT_TRUE(before.files == start.files && before.slots == start.slots);

    Plan().Arm(counting || shortWrite ? -1 : run, shortWrite);
    PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::string shown = Finish(session);
    const FaultPlan plan = Plan().Disarm();
    // A close that saved ends the program; one that did not keeps the board, which has finished
    // the close by now (Finish waited until it was idle).
    EXPECT_TRUE(shown.empty() ? WaitForExit(session.Program(), 10000)
                              : !Ended(session) && IsWindowVisible(session.Board()) && IsWindowEnabled(session.Board()))
        << shown;
    if (counting) {
      EXPECT_EQ(shown, "");
      tally.operations = plan.operations;
      end = Look(session);
      EXPECT_NE(start.files, end.files) << "closing saved nothing";
      continue;
    }
    EXPECT_EQ(plan.injected, 1) << "the fault never came";
    if (shortWrite) {
      tally.shortWrite = plan.injected == 1;
    } else {
      tally.faults += plan.injected;
    }
    tally.lost += Judge(session.Folder(), start, end, Look(session), shown, false);
    if (!Ended(session)) {
      EXPECT_TRUE(session.CloseAndWait());
    }
  }
  Print("close", tally);
  EXPECT_EQ(tally.lost, 0);
}
