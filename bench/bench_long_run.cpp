// Long run of the real board: 10,000 copies, 1,000 project changes and 200 openings of every
// dialog and menu in one process, watching what the process holds (GDI and USER objects, kernel
// handles, private memory). Fails only when something grows beyond a small constant or an action
// did not happen; bench/README.md has the method and the figures.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/figures.h"
#include "bench/process_holdings.h"
#include "tests/e2e/project_bytes.h"
#include "tests/e2e/session.h"

using namespace e2e;

namespace {

constexpr int kSlots = 33;
constexpr int kProjectCombo = 1003;
constexpr int kRounds = 200;
constexpr int kCopiesPerRound = 50;
constexpr int kReportEvery = 1000;
constexpr DWORD kActionTimeoutMs = 10000;

// What the run may leave behind, from the settled start to the end.
constexpr long kObjectAllowance = 16;
constexpr long kHandleAllowance = 16;
constexpr long long kMemoryAllowance = 1024 * 1024;

// The board's commands and controls (resources/resource.h).
constexpr UINT kNewProject = 32771;
constexpr UINT kSaveAs = 32773;
constexpr UINT kRenameButtons = 32776;
constexpr UINT kEditTextField = 32777;
constexpr UINT kFind = 32778;
constexpr UINT kConsolidate = 32780;
constexpr UINT kHelpOverview = 32791;
constexpr UINT kAbout = 32809;
constexpr UINT kCopyButtonRightClicked = 32815;
constexpr UINT kTrayCallbackMessage = 32868;
constexpr UINT kTrayIconId = 1;

int Button(int slot) { return 1070 + 2 * slot; }
int Field(int slot) { return 1071 + 2 * slot; }

bool failed = false;

void Fail(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  std::fflush(stdout);
  failed = true;
}

// Polls every millisecond: the actions take a few milliseconds, the 20 ms of the suites' waits
// would be most of the run.
template <class Condition>
bool PollUntil(Condition condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(1);
  }
}

// The caption the window manager keeps; sends no message, so a busy board cannot hold it up.
std::string StoredCaption(HWND window) {
  wchar_t text[256] = {};
  const int length = InternalGetWindowText(window, text, 256);
  std::string out;
  for (int i = 0; i < length; ++i) out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
  return out;
}

HWND VisibleWindowOf(DWORD processId, const std::string& caption, const std::string& className = "") {
  for (HWND window : TopLevelWindowsOf(processId)) {
    if (!IsWindowVisible(window)) continue;
    if (!className.empty() && ClassName(window) != className) continue;
    if (className.empty() && StoredCaption(window) != caption) continue;
    return window;
  }
  return nullptr;
}

// Compares one figure of the end with the start; a figure unavailable at either end is skipped.
void CheckGrowth(const std::string& what, long long start, long long end, long long allowance) {
  if (start < 0 || end < 0) {
    std::printf("%-34s not available here\n", what.c_str());
    return;
  }
  const long long growth = end - start;
  std::printf("%-34s start %10lld  end %10lld  growth %+8lld  (allowed %lld)\n", what.c_str(), start, end, growth,
              allowance);
  if (growth > allowance) Fail(what + " grew by " + std::to_string(growth));
}

// ---- The actions -------------------------------------------------------------------------------

std::string Tag(int project) { return project == 0 ? "Alpha" : "Beta"; }
std::string CopyText(int project, int slot) { return Tag(project) + " text " + std::to_string(slot) + "\r\nsecond line"; }

// Reads the clipboard only when it can be opened at once.
bool TryClipboardText(std::string* text) {
  if (!OpenClipboard(nullptr)) return false;
  text->clear();
  HANDLE data = GetClipboardData(CF_TEXT);
  const char* chars = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (chars != nullptr) {
    *text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return true;
}

class LongRun {
 public:
  LongRun(BoardSession& session) : session_(session), board_(session.Board()), program_(session.Program()) {}

  // One action; false (with a FAILED line) when it did not happen.
  bool Copy(int slot) {
    HWND button = session_.Item(Button(slot));
    // Sent: it returns once the board has copied and read its copy back, so this driver never
    // opens the clipboard in the middle of the board's copy.
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutA(board_, WM_COMMAND, MAKEWPARAM(Button(slot), BN_CLICKED),
                            reinterpret_cast<LPARAM>(button), SMTO_NORMAL, kActionTimeoutMs, &ignored) == 0) {
      Fail("the board did not answer the copy of slot " + std::to_string(slot));
      return false;
    }
    const std::string expected = CopyText(project_, slot);
    std::string text;
    if (!PollUntil([&] { return TryClipboardText(&text) && text == expected; }, kActionTimeoutMs)) {
      Fail("the copy of slot " + std::to_string(slot) + " did not reach the clipboard; it holds \"" + text + "\"");
      return false;
    }
    return true;
  }

  bool Switch() {
    const int target = 1 - project_;
    const std::string name = Tag(target) + ".vrl";
    HWND combo = session_.Item(kProjectCombo);
    const LRESULT entry =
        SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    if (entry == CB_ERR) {
      Fail(name + " is not listed");
      return false;
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutA(board_, WM_COMMAND, MAKEWPARAM(kProjectCombo, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(combo), SMTO_NORMAL, kActionTimeoutMs, &ignored) == 0) {
      Fail("the board did not answer the change to " + name);
      return false;
    }
    const int slot = switches_++ % kSlots;
    const bool shown = WindowText(session_.Item(Button(0))) == Tag(target) + " button 0" &&
                       WindowText(session_.Item(Field(slot))) == CopyText(target, slot) &&
                       StoredCaption(board_) == "Varnel >" + session_.Folder() + name;
    if (!shown) {
      Fail("the change to " + name + " did not show it; button 0 reads \"" + WindowText(session_.Item(Button(0))) +
           "\"");
      return false;
    }
    project_ = target;
    return true;
  }

  // Opens a dialog with a command to the board and closes it with one of its own commands.
  bool Dialog(UINT command, const char* caption, WPARAM close) {
    PostMessageA(board_, WM_COMMAND, command, 0);
    HWND dialog = nullptr;
    if (!PollUntil([&] { return (dialog = VisibleWindowOf(program_.id, caption)) != nullptr; }, kActionTimeoutMs)) {
      Fail(std::string("\"") + caption + "\" did not open");
      return false;
    }
    PostMessageA(dialog, WM_COMMAND, close, 0);
    if (!PollUntil([&] { return !IsWindow(dialog); }, kActionTimeoutMs)) {
      Fail(std::string("\"") + caption + "\" did not close");
      return false;
    }
    return BoardIdle(caption);
  }

  // Opens a popup menu with a message to the board and closes it with Escape, which the menu's
  // own loop takes from the thread's queue.
  bool Menu(UINT message, WPARAM wParam, LPARAM lParam, const char* name) {
    PostMessageA(board_, message, wParam, lParam);
    HWND menu = nullptr;
    if (!PollUntil([&] { return (menu = VisibleWindowOf(program_.id, "", "#32768")) != nullptr; }, kActionTimeoutMs)) {
      Fail(std::string("the ") + name + " did not open");
      return false;
    }
    PostMessageA(board_, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!PollUntil([&] { return !IsWindow(menu) || !IsWindowVisible(menu); }, kActionTimeoutMs)) {
      Fail(std::string("the ") + name + " did not close");
      return false;
    }
    return BoardIdle(name);
  }

  bool SlotMenu(int slot) {
    return Menu(WM_COMMAND, kCopyButtonRightClicked, reinterpret_cast<LPARAM>(session_.Item(Button(slot))),
                "slot menu");
  }
  bool TrayMenu() { return Menu(kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP, "tray menu"); }

  int Project() const { return project_; }

 private:
  // A sent message is handled once the board is back in its own loop: the command that opened the
  // dialog has run to its end. The second one covers a board that took the first while the
  // closing window handed the activation back.
  bool BoardIdle(const char* after) {
    for (int round = 0; round < 2; ++round) {
      DWORD_PTR ignored = 0;
      if (SendMessageTimeoutA(board_, WM_NULL, 0, 0, SMTO_NORMAL, kActionTimeoutMs, &ignored) == 0) {
        Fail(std::string("the board did not come back after ") + after);
        return false;
      }
    }
    return true;
  }

  BoardSession& session_;
  HWND board_;
  Process& program_;
  int project_ = 0;
  int switches_ = 0;
};

// One round: every dialog and menu once, five project changes, and 50 copies spread between them.
enum class Step { Copy, Switch, RenameButtons, EditTextField, About, Find, Consolidate, Help, NewProject, SaveAs,
                  SlotMenu, TrayMenu };
constexpr int kStepKinds = 12;

std::vector<Step> RoundSchedule() {
  const std::vector<Step> others = {Step::RenameButtons, Step::Switch,     Step::EditTextField, Step::About,
                                    Step::Switch,        Step::Find,       Step::Consolidate,   Step::Switch,
                                    Step::Help,          Step::NewProject, Step::Switch,        Step::SaveAs,
                                    Step::SlotMenu,      Step::Switch,     Step::TrayMenu};
  std::vector<Step> round;
  const int n = static_cast<int>(others.size());
  for (int i = 0; i < n; ++i) {
    const int copies = kCopiesPerRound * (i + 1) / n - kCopiesPerRound * i / n;
    round.insert(round.end(), copies, Step::Copy);
    round.push_back(others[i]);
  }
  return round;
}

struct StepTimes {
  std::vector<double> byKind[kStepKinds];
};

bool RunStep(LongRun& run, Step step, int counter) {
  switch (step) {
    case Step::Copy:
      return run.Copy((counter * 7) % kSlots);  // 7 and 33 share no factor: every slot in turn
    case Step::Switch:
      return run.Switch();
    case Step::RenameButtons:
      return run.Dialog(kRenameButtons, "Rename Buttons", MAKEWPARAM(1137, BN_CLICKED));
    case Step::EditTextField:
      return run.Dialog(kEditTextField, "Edit Text Field", MAKEWPARAM(1139, BN_CLICKED));
    case Step::About:
      return run.Dialog(kAbout, "About Varnel", IDOK);
    case Step::Find:
      return run.Dialog(kFind, "Find in Projects", MAKEWPARAM(1182, BN_CLICKED));
    case Step::Consolidate:
      return run.Dialog(kConsolidate, "Consolidate Projects", MAKEWPARAM(1165, BN_CLICKED));
    case Step::Help:
      return run.Dialog(kHelpOverview, "Varnel Help", MAKEWPARAM(1141, BN_CLICKED));
    case Step::NewProject:
      return run.Dialog(kNewProject, "Name of New Varnel Project", IDCANCEL);
    case Step::SaveAs:
      return run.Dialog(kSaveAs, "Save Current Varnel Project As", IDCANCEL);
    case Step::SlotMenu:
      return run.SlotMenu(counter % kSlots);
    case Step::TrayMenu:
      return run.TrayMenu();
  }
  return false;
}

const char* StepName(Step step) {
  static const char* const names[] = {"copy",  "project change", "Rename Buttons", "Edit Text Field",
                                      "About", "Find in Projects", "Consolidate Projects", "help window",
                                      "New Project prompt (cancelled)", "Save As prompt (cancelled)", "slot menu",
                                      "tray menu"};
  return names[static_cast<int>(step)];
}

Holdings Measure(BoardSession& session) { return MeasureProcess(session.Program().handle, session.Program().id); }

// Every figure of the board settled: nothing queued, no window of a step still on its way out.
Holdings SettledMeasure(BoardSession& session) {
  WaitUntilSettled(session.Board());
  return Measure(session);
}

// Finds what leaks: each kind of step alone, twice in a row, with the growth of every figure.
void MeasureEachKind(LongRun& run, BoardSession& session, int& counter) {
  for (int kind = 0; kind < kStepKinds; ++kind) {
    for (int batch = 0; batch < 2; ++batch) {
      const Step step = static_cast<Step>(kind);
      const int n = step == Step::Copy ? 500 : 40;
      const Holdings before = SettledMeasure(session);
      for (int i = 0; i < n; ++i) RunStep(run, step, counter++);
      const Holdings after = SettledMeasure(session);
      std::printf("%-32s x%d: GDI table %+ld, windows %+ld, handles %+ld, pagefile %+lld, committed %+lld bytes\n",
                  StepName(step), n, after.gdiTable - before.gdiTable, after.windows - before.windows,
                  after.handlesListed - before.handlesListed, after.pagefileReported - before.pagefileReported,
                  after.privateCommitted - before.privateCommitted);
      std::fflush(stdout);
    }
  }
}

}  // namespace

int main() {
  const double begin = NowMs();
  PrintMachine("bench_long_run", ProgramPath());
  ProbeMeasures();

  BoardSession session("bench-long-run");
  for (int project = 0; project < 2; ++project) {
    WriteWholeFile(session.Folder() + Tag(project) + ".vrl", TaggedProject(Tag(project)));
  }
  SetSetting("Files", "Current", session.Folder() + Tag(0) + ".vrl");
  SetSetting("Options", "AutoPaste", "0");
  SetSetting("Options", "MinOnEachCopy", "0");
  SetSetting("Options", "UseSystemTray", "0");
  SetSetting("Options", "HideInTrayOnStartup", "0");
  SetSetting("Options", "WantToolTip", "0");
  if (!session.Start()) {
    Fail("the board did not start");
    return 1;
  }
  LongRun run(session);
  const std::vector<Step> round = RoundSchedule();
  // A shorter run for trying the driver out; the figures and the check are for the full one.
  const char* roundsSetting = std::getenv("VARNEL_LONG_RUN_ROUNDS");
  const int rounds = roundsSetting != nullptr && std::atoi(roundsSetting) > 0 ? std::atoi(roundsSetting) : kRounds;
  std::printf("one round: %zu steps; %d rounds after one warm-up round\n", round.size(), rounds);

  PrintHoldings("after start", Measure(session));
  int counter = 0;
  for (Step step : round) {
    if (!RunStep(run, step, counter++)) break;
  }
  const Holdings start = SettledMeasure(session);
  PrintHoldings("settled start", start);
  if (std::getenv("VARNEL_LONG_RUN_EACH") != nullptr) MeasureEachKind(run, session, counter);
  StepTimes times;
  int steps = 0;
  const double loopStart = NowMs();
  for (int r = 0; r < rounds && !failed; ++r) {
    for (Step step : round) {
      const double t = NowMs();
      if (!RunStep(run, step, counter++)) break;
      times.byKind[static_cast<int>(step)].push_back(NowMs() - t);
      if (++steps % kReportEvery == 0) PrintHoldings("after " + std::to_string(steps) + " steps", Measure(session));
    }
  }
  const double loopMs = NowMs() - loopStart;
  const Holdings end = SettledMeasure(session);
  PrintHoldings("end (" + std::to_string(steps) + " steps)", end);

  std::printf("\n%d steps in %.1f s\n", steps, loopMs / 1000.0);
  for (int kind = 0; kind < kStepKinds; ++kind) PrintFigures(StepName(static_cast<Step>(kind)), times.byKind[kind]);
  std::printf("\n");
  CheckGrowth("GDI objects (GetGuiResources)", start.gdiReported, end.gdiReported, kObjectAllowance);
  CheckGrowth("GDI objects (handle table)", start.gdiTable, end.gdiTable, kObjectAllowance);
  CheckGrowth("USER objects (GetGuiResources)", start.userReported, end.userReported, kObjectAllowance);
  CheckGrowth("windows", start.windows, end.windows, kObjectAllowance);
  CheckGrowth("kernel handles (GetProcessHandleCount)", start.handlesReported, end.handlesReported, kHandleAllowance);
  CheckGrowth("kernel handles (system list)", start.handlesListed, end.handlesListed, kHandleAllowance);
  CheckGrowth("private bytes (PrivateUsage)", start.privateReported, end.privateReported, kMemoryAllowance);
  CheckGrowth("private bytes (PagefileUsage)", start.pagefileReported, end.pagefileReported, kMemoryAllowance);
  CheckGrowth("private bytes (committed regions)", start.privateCommitted, end.privateCommitted, kMemoryAllowance);

  if (!session.CloseAndWait()) Fail("the board did not close");
  for (int project = 0; project < 2; ++project) {
    const std::string bytes = ReadWholeFile(session.Folder() + Tag(project) + ".vrl");
    if (bytes != TaggedProject(Tag(project))) Fail(Tag(project) + ".vrl no longer holds its own slots");
  }
  ClearSettings();
  std::printf("\nwhole benchmark: %.1f s%s\n", (NowMs() - begin) / 1000.0, failed ? ", WITH FAILURES" : "");
  return failed ? 1 : 0;
}
