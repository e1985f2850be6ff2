// The board's life as a user meets it: first start, the current project, NewSession, saving on
// close, one running copy, the Ctrl-key shortcuts, the first start after installation and the
// restart after IDOK.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/e2e/board_steps.h"

using namespace e2e;

namespace {

std::string SlotButtonText(const BoardSession& session, int slot) { return WindowText(session.Item(1070 + 2 * slot)); }
std::string SlotFieldText(const BoardSession& session, int slot) { return WindowText(session.Item(1071 + 2 * slot)); }

std::string HandleText(HWND window) { return std::to_string(static_cast<int>(reinterpret_cast<LONG_PTR>(window))); }

}  // namespace

TEST(FirstStart, EmptyRegistryGetsEveryValueWithItsDefault) {
  BoardSession session("first-start");
  ClearSettings();
  ASSERT_TRUE(session.Start());
  // Without ThisProgramDir the board keeps its projects in its own folder, and says so.
  EXPECT_TRUE(ConfirmBox(session, ProgramFolderNotice("is missing", session.Folder())));
  const std::string sample = session.Folder() + "SAMPLE.VRL";

  const struct {
    const char* subkey;
    const char* name;
    const char* value;
  } expected[] = {
      {"Configure", "ThisProgramDir", ""}, {"Files", "Current", sample.c_str()},
      {"Options", "MinOnEachCopy", "0"},   {"Options", "TopMost", "1"},
      {"Options", "UseSystemTray", "1"},   {"Options", "WantToolTip", "1"},
      {"Options", "HideInTrayOnStartup", "0"}, {"Options", "AutoPaste", "1"},
  };
  for (const auto& row : expected) {
    DWORD type = 0;
    EXPECT_EQ(GetSetting(row.subkey, row.name, &type), row.value) << row.subkey << "\\" << row.name;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << row.name;
    EXPECT_EQ(RegQueryWithRegExe(row.subkey, row.name), std::string("REG_SZ:") + row.value) << row.name;
  }
  EXPECT_EQ(GetSetting("Handles", "TransHandle"), HandleText(session.Board()));

  EXPECT_TRUE(session.CloseAndWait());
  EXPECT_EQ(GetSetting("Handles", "TransHandle"), "0");
  EXPECT_EQ(RegQueryWithRegExe("Handles", "TransHandle"), "REG_SZ:0");
}

TEST(CurrentProject, StartShowsItsSlotsAndCaption) {
  BoardSession session("current-project");
  const std::string path = session.Folder() + "Letters.vrl";
  ASSERT_TRUE(WriteWholeFile(path, TaggedProject("L")));
  ASSERT_TRUE(WriteWholeFile(session.Folder() + "Other.vrl", TaggedProject("O")));
  SetSetting("Files", "Current", path);
  ASSERT_TRUE(session.Start());

  EXPECT_EQ(WindowText(session.Board()), "Varnel >" + path);
  for (int i = 0; i < 33; ++i) {
    EXPECT_EQ(SlotButtonText(session, i), "L button " + std::to_string(i));
    EXPECT_EQ(SlotFieldText(session, i), "L text " + std::to_string(i) + "\r\nsecond line");
  }
  HWND combo = session.Item(1003);
  EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(WindowText(combo), "Letters.vrl");
  EXPECT_TRUE(IsWindowVisible(session.Board()));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(CurrentProject, NewSessionInAnyCaseStartsEmptyButOnlyAsTheWholeCommandLine) {
  for (const char* argument : {"NewSession", "nEWsESSION"}) {
    BoardSession session("new-session");
    const std::string path = session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
    ASSERT_TRUE(session.Start(argument));
    EXPECT_EQ(WindowText(session.Board()), "Varnel >") << argument;
    EXPECT_TRUE(AllSlotsEmpty(session)) << argument;
    EXPECT_TRUE(session.CloseAndWait());
    // Nothing was current, so closing wrote no project over the stored one.
    EXPECT_EQ(ReadWholeFile(path), TaggedProject("L"));
  }

  BoardSession session("new-session-words");
  const std::string path = session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
  ASSERT_TRUE(session.Start("NewSession please"));
  EXPECT_EQ(WindowText(session.Board()), "Varnel >" + path);
  EXPECT_EQ(SlotButtonText(session, 0), "L button 0");
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Closing, TypedSlotsAndSettingsAreSavedIntoTheCurrentFile) {
  BoardSession session("close-saves");
  const std::string path = session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
  SetSetting("Options", "MinOnEachCopy", "abc");
  ASSERT_TRUE(session.Start());

  // Real typing into slot 32's field: the click selects its whole text, typing replaces it.
  ASSERT_TRUE(Activate(session.Board()));
  ASSERT_TRUE(ClickInto(session.Item(1135)));
  TypeText("typed by hand\nline two");
  ASSERT_TRUE(WaitUntil([&] { return SlotFieldText(session, 32) == "typed by hand\r\nline two"; }, 3000))
      << SlotFieldText(session, 32);
  SendMessageA(session.Item(1070), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A caption far longer than thirty-one"));

  // A caption longer than a name of the file is cut only once the user has agreed.
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND question = WaitForMessageBox(session.Program().id, "Varnel", 10000);
  ASSERT_NE(question, nullptr) << "the close cut the caption without asking";
  EXPECT_NE(MessageBoxText(question).find("\nButton 1: A caption far longer than thirty-one (too long)\n"), std::string::npos)
      << MessageBoxText(question);
  ASSERT_TRUE(AnswerMessageBox(question, "Yes"));
  ASSERT_TRUE(WaitForExit(session.Program(), 15000));
  const std::string saved = ReadWholeFile(path);
  ASSERT_EQ(saved.size(), kProjectBytes);
  EXPECT_EQ(TextInFile(saved, 32), "typed by hand\r\nline two");
  EXPECT_EQ(NameInFile(saved, 0), "A caption far longer than thirt");
  EXPECT_EQ(TextInFile(saved, 31), "L text 31\r\nsecond line");
  EXPECT_EQ(GetSetting("Files", "Current"), path);
  EXPECT_EQ(GetSetting("Options", "MinOnEachCopy"), "0");
  EXPECT_EQ(GetSetting("Handles", "TransHandle"), "0");
  // No temporary file is left beside the project.
  EXPECT_FALSE(FileExists(session.Folder() + "Letters.~vr"));
}

TEST(Closing, MissingCurrentFileNeverLetsTheSlotsOverwriteAnotherProject) {
  BoardSession session("close-missing-current");
  const std::string a = session.Folder() + "Alpha.vrl";
  const std::string b = session.Folder() + "Beta.vrl";
  ASSERT_TRUE(WriteWholeFile(a, TaggedProject("A")));
  ASSERT_TRUE(WriteWholeFile(b, TaggedProject("B")));
  SetSetting("Files", "Current", session.Folder() + "Gone.vrl");
  ASSERT_TRUE(session.Start());
  EXPECT_TRUE(ConfirmBox(session, CannotLoad(session.Folder() + "Gone.vrl", kNotFound)));
  EXPECT_TRUE(AllSlotsEmpty(session));
  SendMessageA(session.Item(1071), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed into a board of no file"));
  // A board started without its project's slots names no project: closing asks for a name
  // without proposing the missing one; Esc saves nothing, and the board closes only once the
  // user says so.
  PostMessageA(session.Board(), WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND prompt = WaitForWindowByCaption(session.Program().id, "Save Current Varnel Project As", 10000);
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(prompt, 1170)), "");
  ASSERT_TRUE(Activate(prompt));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(AnswerUnsavedTexts(session, "No"));
  ASSERT_TRUE(WaitForExit(session.Program(), 10000));
  EXPECT_EQ(ReadWholeFile(a), TaggedProject("A"));
  EXPECT_EQ(ReadWholeFile(b), TaggedProject("B"));
}

// Windows asks first (WM_QUERYENDSESSION) and waits for the answer, then ends the session.
// Sent from a thread of its own: the board may be asking the user while Windows waits.
class SessionEndQuery {
 public:
  explicit SessionEndQuery(HWND board)
      : thread_([this, board] {
          DWORD_PTR answer = 0;
          sent_ = SendMessageTimeoutA(board, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 60000, &answer) != 0;
          answer_ = answer;
          done_ = true;
        }) {}
  ~SessionEndQuery() { thread_.join(); }
  // True when the board answered; ends is then whether it lets the session end.
  bool Answered(bool& ends, DWORD timeoutMs) {
    if (!WaitUntil([&] { return done_.load(); }, timeoutMs) || !sent_) return false;
    ends = answer_ != 0;
    return true;
  }

 private:
  std::atomic<bool> done_{false};
  bool sent_ = false;
  DWORD_PTR answer_ = 0;
  std::thread thread_;
};

TEST(Closing, EndOfTheSessionSavesFirstAndAsksAsOnCloseWhenThatFails) {
  for (bool held : {false, true}) {
    SCOPED_TRACE(held ? "file held open" : "file free");
    BoardSession session(held ? "session-end-held" : "session-end");
    const std::string path = session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
    ASSERT_TRUE(session.Start());
    SendMessageA(session.Item(1071), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed before logging off"));
    HeldFile lock(held ? path : std::string());

    bool ends = false;
    if (held) {
      // Going back to the board keeps the session from ending; the next query closes without
      // saving when the user says so.
      {
        SessionEndQuery query(session.Board());
        EXPECT_TRUE(ConfirmBox(session, ErrorSaving(path)));
        EXPECT_TRUE(AnswerUnsavedTexts(session, "Cancel"));
        ASSERT_TRUE(query.Answered(ends, 10000));
        EXPECT_FALSE(ends) << "the session ended over texts that are in no file";
      }
      EXPECT_TRUE(StaysOpen(session, 1000));
      EXPECT_EQ(SlotFieldText(session, 0), "typed before logging off");
      SessionEndQuery query(session.Board());
      EXPECT_TRUE(ConfirmBox(session, ErrorSaving(path)));
      EXPECT_TRUE(AnswerUnsavedTexts(session, "No"));
      ASSERT_TRUE(query.Answered(ends, 10000));
    } else {
      SessionEndQuery query(session.Board());
      ASSERT_TRUE(query.Answered(ends, 10000));
      EXPECT_EQ(WaitForMessageBox(session.Program().id, "Varnel", 0), nullptr);
    }
    EXPECT_TRUE(ends) << "the board refused the end of the session";
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(session.Board(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer), 0);
    lock.Release();
    const std::string expected = held ? "L text 0\r\nsecond line" : "typed before logging off";
    EXPECT_EQ(TextInFile(ReadWholeFile(path), 0), expected);
    Kill(session.Program());
  }
}

TEST(RunningCopy, SecondCopyHandsOverToTheFirstAndEnds) {
  BoardSession first("running-first");
  ASSERT_TRUE(first.Start());
  const std::string registered = GetSetting("Handles", "TransHandle");
  ASSERT_EQ(registered, HandleText(first.Board()));
  // Move the first board away from the centre and minimise it, so its return is visible.
  SetWindowPos(first.Board(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(first.Board(), SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(first.Board()); }, 3000));
  WaitUntilSettled(first.Board());

  Process second = StartBoard(first.Folder());
  ASSERT_NE(second.handle, nullptr);
  bool secondBoardShown = false;
  const DWORD start = GetTickCount();
  while (!WaitForExit(second, 0) && GetTickCount() - start < 15000) {
    if (FindWindowByCaption(second.id, "Varnel >") != nullptr) secondBoardShown = true;
    Sleep(10);
  }
  EXPECT_TRUE(WaitForExit(second, 0)) << "the second copy kept running";
  EXPECT_FALSE(secondBoardShown);
  Close(second);

  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(first.Board()) && !IsIconic(first.Board()); }, 3000));
  const RECT rect = WindowRectOnScreen(first.Board());
  EXPECT_LE(std::abs((rect.left + rect.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 2);
  EXPECT_EQ(GetSetting("Handles", "TransHandle"), registered);
  EXPECT_TRUE(first.CloseAndWait());
}

namespace {

// A window of the driver's own that counts the commands it receives.
struct Bystander {
  static int commands;
  HWND hwnd = nullptr;
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_COMMAND) ++commands;
    return DefWindowProcA(h, m, w, l);
  }
  Bystander() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VarnelBystander";
    RegisterClassA(&wc);
    hwnd = CreateWindowA("VarnelBystander", "bystander", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance,
                         nullptr);
    commands = 0;
  }
  ~Bystander() { DestroyWindow(hwnd); }
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
};
int Bystander::commands = 0;

}  // namespace

TEST(RunningCopy, StaleRegistrationNamingAnotherWindowIsIgnoredAtOnce) {
  Bystander bystander;
  BoardSession session("running-stale");
  SetSetting("Handles", "TransHandle", HandleText(bystander.hwnd));
  Process program = StartBoard(session.Folder());
  HWND board = nullptr;
  const DWORD start = GetTickCount();
  while (board == nullptr && GetTickCount() - start < 15000) {
    bystander.Pump();
    board = FindWindowByCaption(program.id, "Varnel >");
    Sleep(10);
  }
  const DWORD took = GetTickCount() - start;
  for (int i = 0; i < 20; ++i) {
    bystander.Pump();
    Sleep(10);
  }
  ASSERT_NE(board, nullptr);
  EXPECT_EQ(Bystander::commands, 0) << "the stale window received the hand-over request";
  EXPECT_EQ(GetSetting("Handles", "TransHandle"), HandleText(board));
  // Without the two-second wait for an answer that cannot come, the board is up as on any start.
  EXPECT_LT(took, 6000u);
  EXPECT_TRUE(CloseBoard(board));
  Close(program);
}

TEST(Shortcuts, CtrlFourClosesThroughTheClosePathButTheKeypadDoesNot) {
  BoardSession session("shortcut-exit");
  const std::string path = session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
  ASSERT_TRUE(session.Start());
  SendMessageA(session.Item(1073), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("changed before Ctrl+4"));
  ASSERT_TRUE(Activate(session.Board()));

  PressKey(VK_NUMPAD4, {VK_CONTROL});
  EXPECT_FALSE(WaitForExit(session.Program(), 700)) << "Ctrl with the keypad's 4 closed the board";

  ASSERT_TRUE(Activate(session.Board()));
  PressKey('4', {VK_CONTROL});
  EXPECT_TRUE(WaitForExit(session.Program(), 10000));
  EXPECT_EQ(TextInFile(ReadWholeFile(path), 1), "changed before Ctrl+4");
}

TEST(Shortcuts, CtrlZInAFieldIsLeftToTheField) {
  BoardSession session("shortcut-undo");
  ASSERT_TRUE(session.Start());
  ASSERT_TRUE(Activate(session.Board()));
  ASSERT_TRUE(ClickInto(session.Item(1075)));
  TypeText("abc");
  ASSERT_TRUE(WaitUntil([&] { return SlotFieldText(session, 2) == "abc"; }, 3000));
  PressKey('Z', {VK_CONTROL});
  EXPECT_TRUE(WaitUntil([&] { return SlotFieldText(session, 2).empty(); }, 3000)) << SlotFieldText(session, 2);
  EXPECT_TRUE(IsWindowVisible(session.Board()));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Installation, FirstStartGreetsBeforeTheBoardAndOpensTheWebSiteLinkAfterIt) {
  BoardSession session("installing");
  ASSERT_TRUE(session.Launch("InstallingTheProgram"));
  const DWORD start = GetTickCount();
  HWND box = WaitForMessageBox(session.Program().id, "Varnel", 15000);
  const DWORD took = GetTickCount() - start;
  ASSERT_NE(box, nullptr);
  EXPECT_GE(took, 900u);
  EXPECT_EQ(MessageBoxText(box), "Select [Ok] to start Varnel");
  EXPECT_EQ(FindWindowByCaption(session.Program().id, "Varnel >"), nullptr) << "the board came before the greeting";
  Screenshot("installing-greeting", box);

  // The board has not pushed itself yet: a shortcut does nothing.
  ASSERT_TRUE(Activate(box));
  PressKey('4', {VK_CONTROL});
  WaitUntil([&] { return !IsWindow(box); }, 300);  // a close would come within this time
  EXPECT_TRUE(IsWindow(box));

  ASSERT_TRUE(AnswerMessageBox(box, "OK"));
  ASSERT_NE(session.WaitForBoardWindow(), nullptr);
  HWND link = nullptr;
  WaitUntil(
      [&] {
        link = WaitForMessageBox(session.Program().id, "Varnel", 100);
        return link != nullptr && link != box;
      },
      10000);
  ASSERT_NE(link, nullptr);
  EXPECT_NE(MessageBoxText(link).find("www.kestrune.com"), std::string::npos) << MessageBoxText(link);
  AnswerMessageBox(link, "OK");
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Restart, IdokEndsTheBoardAndStartsANewSession) {
  BoardSession session("restart");
  const std::string path = session.UseCurrentProject("Letters.vrl", TaggedProject("L"));
  ASSERT_TRUE(session.Start());
  const DWORD oldProcess = session.Program().id;
  PostMessageA(session.Board(), WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitForExit(session.Program(), 10000));

  HWND restarted = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : FindWindowsByCaption("Varnel >")) {
          if (ProcessOfWindow(window) != oldProcess) restarted = window;
        }
        return restarted != nullptr;
      },
      15000);
  ASSERT_NE(restarted, nullptr) << "no new copy came up";
  EXPECT_EQ(WindowText(restarted), "Varnel >");
  EXPECT_EQ(WindowText(GetDlgItem(restarted, 1070)), "");
  EXPECT_EQ(GetSetting("Handles", "TransHandle"), HandleText(restarted));

  EXPECT_TRUE(CloseBoard(restarted));
}
