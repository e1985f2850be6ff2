// Copying a slot as a user does it: what reaches the clipboard (for Windows and X11 programs),
// where the focus and the board end up, Auto Paste into a real editor, and a clipboard that
// another program keeps open.
#include <gtest/gtest.h>

#include "tests/e2e/project_bytes.h"
#include "tests/e2e/session.h"

using namespace e2e;

namespace {

constexpr int kEmptySlot = 7;

std::string SlotText(int slot) {
  return "copied text " + std::to_string(slot) + "\r\nsecond line of " + std::to_string(slot);
}

std::string CopyProject() {
  std::string names[33];
  std::string texts[33];
  for (int i = 0; i < 33; ++i) {
    names[i] = "copy " + std::to_string(i);
    if (i != kEmptySlot) texts[i] = SlotText(i);
  }
  return ProjectBytes(names, texts);
}

// Starts a board on a project with a distinct text in every slot but one. The tray is off so
// that minimising is the ordinary minimise that hands the foreground to the window below.
bool StartCopyBoard(BoardSession& session, const char* autoPaste, const char* minOnEachCopy) {
  const std::string path = session.Folder() + "Copies.vrl";
  if (!WriteWholeFile(path, CopyProject())) return false;
  SetSetting("Files", "Current", path);
  SetSetting("Options", "AutoPaste", autoPaste);
  SetSetting("Options", "MinOnEachCopy", minOnEachCopy);
  SetSetting("Options", "UseSystemTray", "0");
  return session.Start();
}

HWND CopyButton(const BoardSession& session, int slot) { return session.Item(1070 + 2 * slot); }
HWND TextField(const BoardSession& session, int slot) { return session.Item(1071 + 2 * slot); }

HWND FocusOf(HWND window) {
  GUITHREADINFO gui = {};
  gui.cbSize = sizeof(gui);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui)) return nullptr;
  return gui.hwndFocus;
}

std::string WithoutCarriageReturns(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  return out;
}

// The work root is the Unix work folder behind Wine's Z: drive.
std::string UnixPath(const std::string& windowsPath) {
  if (windowsPath.size() < 2 || (windowsPath[0] != 'Z' && windowsPath[0] != 'z') || windowsPath[1] != ':') return "";
  std::string path = windowsPath.substr(2);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// What an X11 program reads from the CLIPBOARD selection. Wine starts a Unix program from
// CreateProcess, but hands it neither the pipe for its output nor an exit code to wait for, so
// the shell writes the answer into a file that appears whole only once xclip has finished.
std::string ClipboardAsX11Sees(const std::string& folder) {
  const std::string unixFolder = UnixPath(folder);
  if (unixFolder.empty()) return "<folder not on Z:>";
  const std::string answer = folder + "xclip.out";
  DeleteFileA(answer.c_str());
  RunAndCapture("/bin/sh -c \"/usr/bin/xclip -o -selection clipboard > '" + unixFolder + "xclip.part' 2>&1; mv '" +
                unixFolder + "xclip.part' '" + unixFolder + "xclip.out'\"");
  if (!WaitUntil([&] { return FileExists(answer); }, 10000)) return "<xclip did not answer>";
  return ReadWholeFile(answer);
}

// Wine's own notepad, the application that Auto Paste pastes into.
struct Notepad {
  Process process;
  HWND window = nullptr;
  HWND edit = nullptr;

  explicit Notepad(const std::string& folder) {
    process = Start("C:\\windows\\system32\\notepad.exe", "", folder);
    WaitUntil(
        [&] {
          for (HWND candidate : TopLevelWindowsOf(process.id)) {
            if (IsWindowVisible(candidate) && ClassName(candidate) == "Notepad") window = candidate;
          }
          return window != nullptr;
        },
        15000);
    if (window == nullptr) return;
    edit = FindWindowExA(window, nullptr, "Edit", nullptr);
    // Beside the board rather than over it: the window manager does not raise a window that is
    // activated from outside, and a covered button would give the click to notepad.
    SetWindowPos(window, nullptr, 0, 0, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ~Notepad() { Kill(process); }
  Notepad(const Notepad&) = delete;
  Notepad& operator=(const Notepad&) = delete;

  std::string Text() const { return WindowText(edit); }
};

// Switches to a window as a user does, through the window manager. A window activated from
// inside Wine does not get the X input focus (the window manager refuses the request), and
// Wine's own mouse input never reaches the window manager; without the X focus, minimising the
// board hands the focus to no other window.
bool SwitchTo(HWND window) {
  const auto xWindow = reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window"));
  if (xWindow == 0) return false;
  // xdotool runs on its own, unwatched: a request that the window manager missed is sent again.
  for (int attempt = 0; attempt < 3; ++attempt) {
    RunAndCapture("/usr/bin/xdotool windowactivate " + std::to_string(xWindow));
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 3000)) continue;
    // The activation repaints the window, and the board answers its paint by moving the focus.
    WaitUntilSettled(window);
    if (GetForegroundWindow() == window) return true;
  }
  return false;
}

}  // namespace

TEST(Copying, ClickPutsTheFieldOnTheClipboardForWindowsAndX11ProgramsAndKeepsTheBoardUp) {
  BoardSession session("copy-plain");
  ASSERT_TRUE(StartCopyBoard(session, "0", "0"));
  ASSERT_TRUE(SetClipboardText("before the click"));
  ASSERT_TRUE(Activate(session.Board()));
  // The focus starts in another field, so that its move to the combo box shows.
  ASSERT_TRUE(ClickInto(TextField(session, 0)));

  const int slot = 12;
  HWND field = TextField(session, slot);
  ASSERT_NE(static_cast<DWORD>(SendMessageA(field, EM_GETSEL, 0, 0)), MAKELONG(0, SlotText(slot).size()));
  Click(CopyButton(session, slot));
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == SlotText(slot); }, 5000)) << ClipboardText();

  // X11 text has bare line feeds: Wine's clipboard bridge turns each CR LF into LF for other
  // X11 programs, so only that difference is allowed.
  std::string seenByX11;
  EXPECT_TRUE(WaitUntil(
      [&] { return (seenByX11 = ClipboardAsX11Sees(session.Folder())) == WithoutCarriageReturns(SlotText(slot)); },
      8000))
      << seenByX11;

  const DWORD selection = static_cast<DWORD>(SendMessageA(field, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(selection), 0);
  EXPECT_EQ(HIWORD(selection), SlotText(slot).size());
  EXPECT_TRUE(WaitForFocus(session.Item(1003))) << ClassName(FocusOf(session.Board()));

  // A late minimise would come within the paste's first steps.
  WaitUntil([&] { return IsIconic(session.Board()) || !IsWindowVisible(session.Board()); }, 400);
  EXPECT_TRUE(IsWindowVisible(session.Board()));
  EXPECT_FALSE(IsIconic(session.Board()));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(Copying, EmptyFieldLeavesTheClipboardAsItWas) {
  BoardSession session("copy-empty");
  ASSERT_TRUE(StartCopyBoard(session, "0", "0"));
  ASSERT_TRUE(SetClipboardText("kept from before"));
  ASSERT_TRUE(Activate(session.Board()));
  ASSERT_TRUE(ClickInto(TextField(session, 0)));

  Click(CopyButton(session, kEmptySlot));
  // The click has been handled once the focus is back on the combo box.
  EXPECT_TRUE(WaitForFocus(session.Item(1003)));
  WaitUntil([&] { return ClipboardText() != "kept from before"; }, 300);  // a late copy would come by then
  EXPECT_EQ(ClipboardText(), "kept from before");

  // The same board copies a slot with text, so the unchanged clipboard above was no accident.
  Click(CopyButton(session, kEmptySlot + 1));
  EXPECT_TRUE(WaitUntil([&] { return ClipboardText() == SlotText(kEmptySlot + 1); }, 5000)) << ClipboardText();
  EXPECT_TRUE(session.CloseAndWait());
}

// Under Wine every GetClipboardData call of the clipboard's owner keeps 1 KB for good: a board
// that read each copy back to check it grew by that much at every copy.
TEST(Copying, ManyCopiesLeaveTheBoardsMemoryAsItWas) {
  BoardSession session("copy-memory");
  ASSERT_TRUE(StartCopyBoard(session, "0", "0"));
  // Sent, so that each copy has run to its end before the next.
  const auto copy = [&](int round) {
    const int slot = 1 + round % 2;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(session.Board(), WM_COMMAND, MAKEWPARAM(1070 + 2 * slot, BN_CLICKED),
                               reinterpret_cast<LPARAM>(CopyButton(session, slot)), SMTO_NORMAL, 10000, &ignored) != 0;
  };
  for (int round = 0; round < 50; ++round) ASSERT_TRUE(copy(round));
  const long long before = CommittedPrivateBytes(session.Program().handle);
  const DWORD sequence = GetClipboardSequenceNumber();
  constexpr int kCopies = 400;
  for (int round = 0; round < kCopies; ++round) ASSERT_TRUE(copy(round));
  const long long after = CommittedPrivateBytes(session.Program().handle);

  EXPECT_GE(GetClipboardSequenceNumber() - sequence, static_cast<DWORD>(kCopies)) << "not every copy reached the clipboard";
  EXPECT_EQ(ClipboardText(), SlotText(2));
  ASSERT_GT(before, 0);
  EXPECT_LT(after - before, 128 * 1024) << "from " << before << " to " << after << " bytes";
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(AutoPaste, PastesIntoThePreviousApplicationAndRestoresTheBoardUnlessMinimisingOnEachCopy) {
  const struct {
    const char* minOnEachCopy;
    int slot;
    bool staysMinimised;
  } rows[] = {{"0", 3, false}, {"1", 20, true}};

  for (const auto& row : rows) {
    SCOPED_TRACE(std::string("MinOnEachCopy ") + row.minOnEachCopy);
    // Now and then openbox hands the focus of a minimised window to no window at all; Wine then
    // makes the desktop the foreground, and the board waits in vain for a window to paste into.
    // That round says nothing about the board and is played again.
    for (int round = 1;; ++round) {
      BoardSession session(std::string("autopaste-") + row.minOnEachCopy);
      ASSERT_TRUE(StartCopyBoard(session, "1", row.minOnEachCopy));
      Notepad notepad(session.Folder());
      ASSERT_NE(notepad.edit, nullptr) << "notepad did not come up";

      // The user works in notepad, then switches to the board and clicks a copy button.
      ASSERT_TRUE(SwitchTo(notepad.window));
      ASSERT_TRUE(SwitchTo(session.Board()));
      Click(CopyButton(session, row.slot));

      // Notepad is left alone while the board pastes: kept busy answering the driver, it would
      // read the keystrokes later, and Wine drops keystrokes still unread when the board takes the
      // foreground back.
      EXPECT_TRUE(WaitUntil([&] { return IsIconic(session.Board()); }, 5000)) << "the board never minimised";
      HWND heir = nullptr;
      WaitUntil(
          [&] {
            heir = GetForegroundWindow();
            return heir == notepad.window || heir == GetDesktopWindow();
          },
          5000);
      if (heir == GetDesktopWindow() && round < 3) continue;
      EXPECT_EQ(heir, notepad.window) << "the foreground went to " << ClassName(heir);
      if (row.staysMinimised) {
        // The board holds Ctrl down through its Ctrl+V: once Ctrl is up again the keystrokes wait
        // in notepad's queue, and nothing takes the foreground from it.
        bool ctrlWentDown = false;
        WaitUntil(
            [&] {
              const bool down = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
              ctrlWentDown = ctrlWentDown || down;
              return ctrlWentDown && !down;
            },
            5000);
      } else {
        EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(session.Board()) && !IsIconic(session.Board()); }, 10000))
            << "the board did not come back";
      }
      EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == SlotText(row.slot); }, 5000))
          << "notepad holds: " << notepad.Text();
      if (row.staysMinimised) {
        EXPECT_TRUE(IsIconic(session.Board()));
      }
      EXPECT_EQ(ClipboardText(), SlotText(row.slot));
      EXPECT_TRUE(session.CloseAndWait());
      break;
    }
  }
}

// While the foreground changes hands no window has it: the board waits for the application that
// takes it next instead of pasting into nothing.
TEST(AutoPaste, NoForegroundForAMomentStillPastesIntoTheNextApplication) {
  BoardSession session("autopaste-no-foreground");
  ASSERT_TRUE(StartCopyBoard(session, "1", "1"));
  Notepad notepad(session.Folder());
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not come up";
  // Hidden, notepad is no window that the window manager could hand the focus to.
  ShowWindow(notepad.window, SW_HIDE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(notepad.window); }, 5000));

  ASSERT_TRUE(SwitchTo(session.Board()));
  Click(CopyButton(session, 9));
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(session.Board()); }, 5000)) << "the board never minimised";
  HWND foreground = session.Board();
  ASSERT_TRUE(WaitUntil(
      [&] {
        foreground = GetForegroundWindow();
        return foreground == nullptr || foreground == GetDesktopWindow();
      },
      5000))
      << "the foreground stayed with " << ClassName(foreground);
  // The moment without a foreground is the case itself; the board looks every 100 ms.
  Sleep(500);
  EXPECT_EQ(notepad.Text(), "");

  ShowWindow(notepad.window, SW_SHOW);
  ASSERT_TRUE(SwitchTo(notepad.window));
  EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == SlotText(9); }, 10000)) << "notepad holds: " << notepad.Text();
  EXPECT_EQ(ClipboardText(), SlotText(9));
  EXPECT_TRUE(session.CloseAndWait());
}

TEST(AutoPaste, ClipboardHeldOpenByAnotherProgramPastesNothingStaleAndKeepsTheBoardUp) {
  BoardSession session("autopaste-held");
  ASSERT_TRUE(StartCopyBoard(session, "1", "0"));
  Notepad notepad(session.Folder());
  ASSERT_NE(notepad.edit, nullptr) << "notepad did not come up";
  ASSERT_TRUE(SetClipboardText("stale clipboard text"));

  ASSERT_TRUE(SwitchTo(notepad.window));
  ASSERT_TRUE(SwitchTo(session.Board()));

  // The copy selects the field's whole text first, which shows that the click reached it.
  HWND field = TextField(session, 5);
  ASSERT_NE(static_cast<DWORD>(SendMessageA(field, EM_GETSEL, 0, 0)), MAKELONG(0, SlotText(5).size()));

  // The driver plays the other program: it keeps the clipboard open for longer than the board
  // goes on trying, while watching that the board never steps aside for a paste.
  ASSERT_TRUE(OpenClipboard(nullptr));
  Click(CopyButton(session, 5));
  bool sawMinimised = false;
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 2500) {
    if (IsIconic(session.Board())) sawMinimised = true;
    Sleep(20);
  }
  CloseClipboard();

  // Any paste of the stale text would reach notepad within the paste's time.
  const DWORD after = GetTickCount();
  while (GetTickCount() - after < 1500) {
    if (IsIconic(session.Board())) sawMinimised = true;
    Sleep(20);
  }
  EXPECT_FALSE(sawMinimised);
  EXPECT_EQ(notepad.Text(), "");
  EXPECT_EQ(ClipboardText(), "stale clipboard text");
  EXPECT_TRUE(IsWindowVisible(session.Board()));
  EXPECT_FALSE(IsIconic(session.Board()));
  EXPECT_TRUE(WaitForFocus(session.Item(1003)));

  EXPECT_TRUE(session.CloseAndWait());
}
