// Benchmark driver: times the real board under Wine (copy click to clipboard, project switch,
// listing of a crowded project folder) and prints min/median/max; bench/README.md has the method.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/board_floor.h"
#include "bench/figures.h"
#include "tests/e2e/project_bytes.h"
#include "tests/e2e/session.h"

using namespace e2e;

namespace {

constexpr int kSlots = 33;
constexpr int kProjectCombo = 1003;
constexpr int kCopyClicks = 30;
constexpr int kSwitches = 20;
constexpr int kStartRounds = 6;
constexpr int kSaveAsRounds = 10;
constexpr int kCrowdedFiles = 7000;
constexpr int kListedAtMost = 6501;
constexpr size_t kSwitchTextBytes = 4000;
constexpr DWORD kOperationTimeoutMs = 10000;
constexpr DWORD kStartTimeoutMs = 60000;
// Wine's clipboard manager reacts to every change of the clipboard; letting it finish before the
// next click keeps its brief hold on the clipboard out of the board's copy.
constexpr DWORD kSettleMs = 100;

int Button(int slot) { return 1070 + 2 * slot; }
int Field(int slot) { return 1071 + 2 * slot; }

bool failed = false;

void Fail(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  std::fflush(stdout);
  failed = true;
}

// The caption the window manager keeps for a window. Unlike WM_GETTEXT it sends no message, so
// it neither waits for nor disturbs a board that is busy starting.
std::string StoredCaption(HWND window) {
  wchar_t text[512] = {};
  const int length = InternalGetWindowText(window, text, 512);
  std::string out;
  for (int i = 0; i < length; ++i) out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
  return out;
}

// Reads the clipboard only when it can be opened at once: a blocking wait would hold it while
// the board tries to copy.
bool TryClipboardText(std::string* text) {
  if (!OpenClipboard(nullptr)) return false;
  text->clear();
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data != nullptr) {
    const char* chars = static_cast<const char*>(GlobalLock(data));
    if (chars != nullptr) *text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return true;
}

// Milliseconds from start until the clipboard holds expected, or -1 after the timeout. The cheap
// sequence number gates the read, so the clipboard is opened only after the board has taken it.
double WaitForClipboardText(double start, DWORD sequenceBefore, const std::string& expected) {
  for (;;) {
    if (GetClipboardSequenceNumber() != sequenceBefore) {
      std::string text;
      if (TryClipboardText(&text) && text == expected) return NowMs() - start;
    }
    if (NowMs() - start > kOperationTimeoutMs) return -1.0;
    Sleep(1);
  }
}

void SetBenchOptions() {
  SetSetting("Options", "AutoPaste", "0");
  SetSetting("Options", "MinOnEachCopy", "0");
  SetSetting("Options", "HideInTrayOnStartup", "0");
  // No tip window may open under the pointer between real clicks.
  SetSetting("Options", "WantToolTip", "0");
}

std::string CopyText(int slot) { return "copied text of slot " + std::to_string(slot) + "\r\nsecond line"; }

std::string CopyProject() {
  std::string names[kSlots];
  std::string texts[kSlots];
  for (int i = 0; i < kSlots; ++i) {
    names[i] = "Copy " + std::to_string(i);
    texts[i] = CopyText(i);
  }
  return ProjectBytes(names, texts);
}

// ---- 1. Copy button click to text on the clipboard --------------------------------------------

void BenchCopyClick() {
  std::printf("\n[copy] click on a copy button until its text is on the clipboard\n");
  BoardSession session("bench-copy");
  const std::string path = session.Folder() + "Copy.vrl";
  WriteWholeFile(path, CopyProject());
  SetSetting("Files", "Current", path);
  SetBenchOptions();
  if (!session.Start()) {
    Fail("the board did not start for the copy benchmark");
    return;
  }
  HWND board = session.Board();
  if (WindowText(session.Item(Field(5))) != CopyText(5)) Fail("the copy project's texts are not on the board");

  std::vector<double> posted;
  std::vector<double> clicked;
  for (int round = 0; round < 2 * kCopyClicks; ++round) {
    const bool realClick = round >= kCopyClicks;
    const int slot = (round * 7) % kSlots;  // 7 and 33 share no factor: every slot in turn
    HWND button = session.Item(Button(slot));
    if (realClick && round == kCopyClicks && !Activate(board)) Fail("the board did not come to the foreground");
    if (realClick) {
      const RECT rect = WindowRectOnScreen(button);
      SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    const std::string marker = "marker before click " + std::to_string(round);
    if (!SetClipboardText(marker) || ClipboardText() != marker) {
      Fail("could not put the marker on the clipboard");
      continue;
    }
    Sleep(kSettleMs);
    const DWORD sequence = GetClipboardSequenceNumber();
    const double start = NowMs();
    if (realClick) {
      INPUT inputs[2] = {};
      inputs[0].type = INPUT_MOUSE;
      inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
      inputs[1].type = INPUT_MOUSE;
      inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
      SendInput(2, inputs, sizeof(INPUT));
    } else {
      PostMessageA(board, WM_COMMAND, MAKEWPARAM(Button(slot), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    const double elapsed = WaitForClipboardText(start, sequence, CopyText(slot));
    if (elapsed < 0) {
      Fail("slot " + std::to_string(slot) + ": its text never reached the clipboard; it holds \"" + ClipboardText() +
           "\"");
      continue;
    }
    (realClick ? clicked : posted).push_back(elapsed);
  }
  PrintFigures("copy, posted WM_COMMAND BN_CLICKED", posted);
  PrintFigures("copy, real mouse click (SendInput)", clicked);
  if (!IsWindowVisible(board) || IsIconic(board)) Fail("the board did not stay up while copying");
  session.CloseAndWait();
}

// ---- 2. Switching between two projects -------------------------------------------------------

std::string SwitchCaption(const std::string& tag, int slot) { return tag + " " + std::to_string(slot); }

std::string SwitchText(const std::string& tag, int slot) {
  std::string text;
  for (int line = 0; text.size() < kSwitchTextBytes; ++line) {
    text += tag + " slot " + std::to_string(slot) + " line " + std::to_string(line) +
            ": a line of ordinary prose to paste somewhere else\r\n";
  }
  return text.substr(0, kSwitchTextBytes);
}

std::string SwitchProject(const std::string& tag) {
  std::string names[kSlots];
  std::string texts[kSlots];
  for (int i = 0; i < kSlots; ++i) {
    names[i] = SwitchCaption(tag, i);
    texts[i] = SwitchText(tag, i);
  }
  return ProjectBytes(names, texts);
}

// The ratio of two medians, printed; nothing when either series is empty.
void PrintRatio(const std::string& label, const std::vector<double>& figure, const std::vector<double>& floor) {
  if (figure.empty() || floor.empty()) return;
  std::printf("%-52s %9.2f\n", label.c_str(), Median(figure) / Median(floor));
  std::fflush(stdout);
}

std::vector<double> Sums(const std::vector<double>& a, const std::vector<double>& b) {
  std::vector<double> sums;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) sums.push_back(a[i] + b[i]);
  return sums;
}

void BenchProjectSwitch() {
  std::printf("\n[switch] CBN_SELCHANGE to the board between two full projects (33 x %zu bytes)\n",
              kSwitchTextBytes);
  BoardSession session("bench-switch");
  const std::string tags[2] = {"Alpha", "Beta"};
  for (const std::string& tag : tags) WriteWholeFile(session.Folder() + tag + ".vrl", SwitchProject(tag));
  SetSetting("Files", "Current", session.Folder() + "Alpha.vrl");
  SetBenchOptions();
  if (!session.Start()) {
    Fail("the board did not start for the switch benchmark");
    return;
  }
  HWND board = session.Board();
  HWND combo = session.Item(kProjectCombo);
  if (WindowText(session.Item(Button(0))) != SwitchCaption("Alpha", 0)) Fail("Alpha is not on the board at start");

  // The floor, in this process: the same texts into a hidden copy of the board's window, and a
  // save and a load of the same bytes in the same folder, between the board's rounds.
  BoardCopy copy(ProgramPath());
  if (!copy.Ready()) Fail("the board's template could not be created in the driver for the floor");
  std::vector<std::string> captions[2], texts[2];
  std::string bytes[2];
  for (int t = 0; t < 2; ++t) {
    bytes[t] = SwitchProject(tags[t]);
    for (int slot = 0; slot < kSlots; ++slot) {
      captions[t].push_back(SwitchCaption(tags[t], slot));
      texts[t].push_back(SwitchText(tags[t], slot));
    }
  }
  const std::string floorFile = session.Folder() + "Floor.dat";

  std::vector<double> samples, floorTexts, floorFiles, floorFlushes;
  for (int round = 0; round < kSwitches; ++round) {
    const int targetIndex = (round + 1) % 2;
    const std::string& target = tags[targetIndex];
    const LRESULT entry = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>((target + ".vrl").c_str()));
    if (entry == CB_ERR) {
      Fail(target + ".vrl is not listed");
      break;
    }
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    const double start = NowMs();
    SendMessageA(board, WM_COMMAND, MAKEWPARAM(kProjectCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    const double elapsed = NowMs() - start;

    const int slot = (round * 5) % kSlots;
    const bool switched = WindowText(session.Item(Button(0))) == SwitchCaption(target, 0) &&
                          WindowText(session.Item(Field(slot))) == SwitchText(target, slot) &&
                          StoredCaption(board) == "Varnel >" + session.Folder() + target + ".vrl";
    if (!switched) {
      Fail("switch " + std::to_string(round) + " to " + target + " did not show it; button 0 reads \"" +
           WindowText(session.Item(Button(0))) + "\"");
      continue;
    }
    samples.push_back(elapsed);
    // The new texts are painted after the round trip; let that finish outside the next sample.
    Sleep(kSettleMs);

    if (copy.Ready()) {
      floorTexts.push_back(copy.SetTexts(captions[targetIndex], texts[targetIndex]));
      if (copy.TextOf(Field(slot)) != texts[targetIndex][slot]) Fail("the floor's copy does not show its texts");
      const FileFloor file = TimeDurableWriteAndRead(floorFile, bytes[targetIndex]);
      if (file.writeMs < 0) {
        Fail("the floor's save and load of " + floorFile + " failed");
      } else {
        floorFiles.push_back(file.writeMs + file.replaceMs + file.readMs);
        floorFlushes.push_back(file.flushMs);
      }
    }
  }
  PrintFigures("project switch, SendMessage round trip", samples);
  if (copy.Ready()) std::printf("%-52s %9.2f ms\n", "(floor) board template created in the driver", copy.CreationMs());
  PrintFigures("(floor) 66 WM_SETTEXT into a hidden board copy", floorTexts);
  PrintFigures("(floor) write 338976 bytes, move over, read back", floorFiles);
  PrintFigures("(floor) FlushFileBuffers of that write", floorFlushes);
  const std::vector<double> floor = Sums(floorTexts, floorFiles);
  const std::vector<double> flushedFloor = Sums(floor, floorFlushes);
  PrintFigures("(floor) texts + write + read", floor);
  PrintFigures("(floor) texts + write + flush + read", flushedFloor);
  PrintRatio("=> switch / floor (medians; goal 1.2)", samples, floor);
  PrintRatio("=> switch / floor with flush (medians)", samples, flushedFloor);
  session.CloseAndWait();
  // Every switch saved the project it left: both files must still hold their own slots.
  for (const std::string& tag : tags) {
    const std::string bytes = ReadWholeFile(session.Folder() + tag + ".vrl");
    if (bytes.size() != kProjectBytes || NameInFile(bytes, 32) != SwitchCaption(tag, 32) ||
        TextInFile(bytes, 32) != SwitchText(tag, 32)) {
      Fail(tag + ".vrl no longer holds its own slots after the switches");
    }
  }
}

// ---- 3. Listing a folder of many project files -----------------------------------------------

constexpr const char* kSaveAsCaption = "Save Current Varnel Project As";
constexpr UINT kSaveAsCommand = 32773;
constexpr int kNameField = 1170;

struct StartFigures {
  double toSplash = -1.0;
  double toCaption = -1.0;
  double toVisible = -1.0;
  LRESULT listed = -1;
};

// Fills folder with count project files: one real file and hard links to it (the listing reads
// names only), or empty files where the file system cannot link. Returns a description.
std::string FillProjectFolder(const std::string& folder, int count) {
  char name[32];
  std::snprintf(name, sizeof(name), "P%05d.vrl", 0);
  const std::string first = folder + name;
  WriteWholeFile(first, CopyProject());
  bool linking = true;
  int empties = 0;
  for (int i = 1; i < count; ++i) {
    std::snprintf(name, sizeof(name), "P%05d.vrl", i);
    const std::string path = folder + name;
    if (linking && CreateHardLinkA(path.c_str(), first.c_str(), nullptr)) continue;
    linking = false;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    ++empties;
  }
  return empties == 0 ? "1 project file + " + std::to_string(count - 1) + " hard links to it"
                      : std::to_string(count - empties) + " project files/links + " + std::to_string(empties) +
                            " empty files (hard links failed)";
}

LRESULT ListedEntries(HWND board) { return SendMessageA(GetDlgItem(board, kProjectCombo), CB_GETCOUNT, 0, 0); }

// Closes a board, declining the name prompt that a board without a file shows, and makes sure
// the program has ended.
void CloseBoard(Process& process, HWND board) {
  if (board != nullptr) {
    PostMessageA(board, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitUntil(
        [&] {
          if (WaitForExit(process, 0)) return true;
          HWND prompt = FindWindowByCaption(process.id, kSaveAsCaption);
          if (prompt != nullptr) PostMessageA(prompt, WM_COMMAND, IDCANCEL, 0);
          return false;
        },
        15000);
  }
  Kill(process);
}

// Starts a board without a project in folder and times, from CreateProcess: the splash (shown
// just before the listing), the caption the board sets right after its listing, and the board
// becoming visible.
StartFigures TimeStart(const std::string& folder) {
  StartFigures figures;
  PrepareSettings(folder);
  SetBenchOptions();
  const double start = NowMs();
  Process process = Start(folder + "QUILLOW.EXE", "NewSession", folder);
  if (process.handle == nullptr) return figures;
  HWND board = nullptr;
  for (;;) {
    for (HWND window : TopLevelWindowsOf(process.id)) {
      if (StoredCaption(window).rfind("Varnel >", 0) == 0) {
        board = window;
      } else if (figures.toSplash < 0 && IsWindowVisible(window)) {
        figures.toSplash = NowMs() - start;
      }
    }
    if (board != nullptr && figures.toCaption < 0) figures.toCaption = NowMs() - start;
    if (board != nullptr && IsWindowVisible(board)) {
      figures.toVisible = NowMs() - start;
      break;
    }
    if (NowMs() - start > kStartTimeoutMs || WaitForExit(process, 0)) break;
    Sleep(1);
  }
  if (board != nullptr) figures.listed = ListedEntries(board);
  CloseBoard(process, board);
  return figures;
}

struct SaveAsCall {
  HWND board;
  double end;
};

DWORD WINAPI SendSaveAs(void* data) {
  auto* call = static_cast<SaveAsCall*>(data);
  SendMessageA(call->board, WM_COMMAND, kSaveAsCommand, 0);
  call->end = NowMs();
  return 0;
}

// Save As in a running board: from the prompt's OK to the command's end the board writes the
// file, lists the folder again and stores its settings. Only the listing depends on the folder.
std::vector<double> TimeSaveAs(const std::string& folder, LRESULT expectedListed, int rounds,
                               const std::function<void()>& betweenRounds) {
  std::vector<double> samples;
  PrepareSettings(folder);
  SetBenchOptions();
  SetSetting("Files", "Current", folder + "P00000.vrl");
  Process process = Start(folder + "QUILLOW.EXE", "", folder);
  HWND board = process.handle != nullptr ? WaitForBoard(process, kStartTimeoutMs) : nullptr;
  if (board == nullptr) {
    Fail("the board did not start for the Save As re-listing in " + folder);
    CloseBoard(process, board);
    return samples;
  }
  for (int round = 0; round < rounds; ++round) {
    const std::string name = "Saved" + std::to_string(round);
    SaveAsCall call = {board, -1.0};
    HANDLE thread = CreateThread(nullptr, 0, SendSaveAs, &call, 0, nullptr);
    HWND prompt = WaitForWindowByCaption(process.id, kSaveAsCaption, kOperationTimeoutMs);
    if (thread == nullptr || prompt == nullptr) {
      Fail("no Save As prompt appeared");
      if (thread != nullptr) CloseHandle(thread);
      break;
    }
    SendMessageA(GetDlgItem(prompt, kNameField), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Sleep(kSettleMs);
    const double start = NowMs();
    PostMessageA(prompt, WM_COMMAND, IDOK, 0);
    const bool ended = WaitForSingleObject(thread, kOperationTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(thread);
    if (!ended) {
      Fail("Save As did not end");
      break;
    }
    const std::string saved = folder + name + ".vrl";
    const LRESULT listed = ListedEntries(board);
    if (StoredCaption(board) != "Varnel >" + saved || !FileExists(saved) || listed != expectedListed) {
      Fail("Save As as " + name + " left caption \"" + StoredCaption(board) + "\" and " + std::to_string(listed) +
           " entries, expected " + std::to_string(expectedListed));
    } else {
      samples.push_back(call.end - start);
    }
    // The folder keeps its count for the next round.
    DeleteFileA(saved.c_str());
    betweenRounds();
  }
  CloseBoard(process, board);
  return samples;
}

// The two scratch folders of the listing and start-up parts, filled once per run.
struct ListingFolders {
  std::string one;
  std::string many;
  std::string crowdedName;
};

ListingFolders PrepareListingFolders() {
  ListingFolders folders;
  folders.crowdedName = "bench-list-" + std::to_string(kCrowdedFiles);
  folders.one = MakeScratchFolder("bench-list-1");
  const double phase = NowMs();
  folders.many = MakeScratchFolder(folders.crowdedName);
  FillProjectFolder(folders.one, 1);
  const std::string manyContents = FillProjectFolder(folders.many, kCrowdedFiles);
  std::printf("folders prepared in %.0f ms; crowded folder: %s\n", NowMs() - phase, manyContents.c_str());
  for (const std::string& folder : {folders.one, folders.many}) {
    CopyFileA(ProgramPath().c_str(), (folder + "QUILLOW.EXE").c_str(), FALSE);
  }
  return folders;
}

void RemoveListingFolders(const ListingFolders& folders) {
  // Seven thousand names would otherwise linger in the work folder until the next run.
  const double phase = NowMs();
  MakeScratchFolder(folders.crowdedName);
  RemoveDirectoryA(folders.many.c_str());
  std::printf("crowded folder removed in %.0f ms\n", NowMs() - phase);
}

void BenchListing(const ListingFolders& folders) {
  std::printf("\n[listing] 1 file versus %d files in the program folder (at most %d are listed)\n", kCrowdedFiles,
              kListedAtMost);
  // The floor, in this process between the board's rounds: the same names, in the order the
  // folder gives them, added to combo box 1003 of a hidden copy of the board's window.
  BoardCopy copy(ProgramPath());
  if (!copy.Ready()) Fail("the board's template could not be created in the driver for the floor");
  std::vector<double> floor, enumeration;
  const auto timeFloor = [&] {
    const double start = NowMs();
    const std::vector<std::string> names = ProjectNamesOf(folders.many, kListedAtMost);
    enumeration.push_back(NowMs() - start);
    bool allAdded = false;
    if (copy.Ready()) floor.push_back(copy.AddToCombo(names, &allAdded));
    if (names.size() != static_cast<size_t>(kListedAtMost) || !allAdded) Fail("the floor's combo box lost names");
  };
  // Re-listing in a running board: the same command in both folders, so the difference is the
  // listing alone, free of the noise of starting a process.
  const std::vector<double> saveOne = TimeSaveAs(folders.one, 2, kSaveAsRounds, timeFloor);
  const std::vector<double> saveMany = TimeSaveAs(folders.many, kListedAtMost, kSaveAsRounds, timeFloor);
  PrintFigures("Save As (write + re-list + settings), 1 file", saveOne);
  PrintFigures("Save As (write + re-list + settings), " + std::to_string(kCrowdedFiles) + " files", saveMany);
  PrintFigures("(floor) 6501 CB_ADDSTRING into a hidden board copy", floor);
  PrintFigures("(info) FindFirstFileA/FindNextFileA, first 6501 names", enumeration);
  if (!saveOne.empty() && !saveMany.empty() && !floor.empty()) {
    const double listing = Median(saveMany) - Median(saveOne);
    std::printf("%-52s %9.2f ms\n", "=> re-listing cost (difference of medians)", listing);
    std::printf("%-52s %9.2f\n", "=> re-listing / floor (goal 1.2)", listing / Median(floor));
  }
  std::fflush(stdout);
}

// The board shows itself this long after its splash appeared: the splash's first timer (1000 ms,
// desktop/splash.cpp) and the hand-over's first delay (300 ms, board/board_dialog.cpp).
constexpr double kSplashOwnMs = 1300.0;
constexpr const char* kBareProgram = "bench_bare_window.exe";
constexpr const char* kBareProgramV6 = "bench_bare_window_v6.exe";

void BenchStart(const ListingFolders& folders) {
  std::printf("\n[start] process start to board visible, 1 file versus %d files, beside a bare program\n",
              kCrowdedFiles);
  const std::string& one = folders.one;
  const std::string& many = folders.many;
  // The first start of a build pays for loading it from disk; it is not counted.
  TimeStart(one);
  TimeBareProgramStart(one, kBareProgram);
  TimeBareProgramStart(one, kBareProgramV6);
  TimeBareProgramStart(many, kBareProgram);
  std::vector<double> bare, bareMany, bareV6, oneSplash, manySplash, oneListing, manyListing, oneVisible, manyVisible;
  for (int round = 0; round < kStartRounds; ++round) {
    const double bareShown = TimeBareProgramStart(one, kBareProgram);
    const double bareV6Shown = TimeBareProgramStart(one, kBareProgramV6);
    // Wine looks for every library in the program's folder first, and a name that is not there
    // costs a reading of the whole folder: a crowded folder slows any program's start.
    const double bareManyShown = TimeBareProgramStart(many, kBareProgram);
    const StartFigures a = TimeStart(one);
    const StartFigures b = TimeStart(many);
    if (bareShown < 0 || bareV6Shown < 0 || bareManyShown < 0) {
      Fail("the bare program showed no window in round " + std::to_string(round));
      continue;
    }
    if (a.toVisible < 0 || b.toVisible < 0 || a.toSplash < 0 || b.toSplash < 0) {
      Fail("a board did not become visible in round " + std::to_string(round));
      continue;
    }
    if (a.listed != 1 || b.listed != kListedAtMost) {
      Fail("listed " + std::to_string(a.listed) + " and " + std::to_string(b.listed) + " entries, expected 1 and " +
           std::to_string(kListedAtMost));
      continue;
    }
    bare.push_back(bareShown);
    bareV6.push_back(bareV6Shown);
    bareMany.push_back(bareManyShown);
    oneSplash.push_back(a.toSplash);
    manySplash.push_back(b.toSplash);
    oneListing.push_back(a.toCaption - a.toSplash);
    manyListing.push_back(b.toCaption - b.toSplash);
    oneVisible.push_back(a.toVisible);
    manyVisible.push_back(b.toVisible);
  }
  const std::string crowded = std::to_string(kCrowdedFiles) + " files";
  PrintFigures("(floor) bare program: process start to its window", bare);
  PrintFigures("(floor) the same in the folder of " + crowded, bareMany);
  PrintFigures("(info) same with the board's manifest + comctl32", bareV6);
  PrintFigures("start: process start to splash, 1 file", oneSplash);
  PrintFigures("start: process start to splash, " + crowded, manySplash);
  PrintFigures("start: splash shown to listed, 1 file", oneListing);
  PrintFigures("start: splash shown to listed, " + crowded, manyListing);
  PrintFigures("start: process start to board visible, 1 file", oneVisible);
  PrintFigures("start: process start to board visible, " + crowded, manyVisible);
  if (!bare.empty()) {
    const double floor = Median(bare) + kSplashOwnMs;
    const double floorMany = Median(bareMany) + kSplashOwnMs;
    std::printf("%-52s %9.2f ms\n", "(floor) bare window + the splash's own 1300 ms", floor);
    std::printf("%-52s %9.2f ms\n", ("(floor) the same, " + crowded).c_str(), floorMany);
    std::printf("%-52s %9.2f ms\n", "=> board visible - floor, 1 file (goal <= 50)", Median(oneVisible) - floor);
    std::printf("%-52s %9.2f ms\n", ("=> board visible - floor, " + crowded + " (goal <= 50)").c_str(),
                Median(manyVisible) - floorMany);
    std::printf("%-52s %9.2f ms\n", ("=> board visible - 1-file floor, " + crowded).c_str(),
                Median(manyVisible) - floor);
  }
  std::fflush(stdout);
}

}  // namespace

// Every part runs by default; naming parts on the command line (copy, switch, listing, start) runs only
// those, for measuring one change again without the whole run.
int main(int argc, char** argv) {
  const auto wanted = [&](const char* part) {
    if (argc < 2) return true;
    for (int i = 1; i < argc; ++i) {
      if (std::string(argv[i]) == part) return true;
    }
    return false;
  };
  const double start = NowMs();
  PrintMachine("bench_board", ProgramPath());
  if (wanted("copy")) BenchCopyClick();
  if (wanted("switch")) BenchProjectSwitch();
  if (wanted("listing") || wanted("start")) {
    const ListingFolders folders = PrepareListingFolders();
    if (wanted("listing")) BenchListing(folders);
    if (wanted("start")) BenchStart(folders);
    RemoveListingFolders(folders);
  }
  ClearSettings();
  std::printf("\nwhole benchmark: %.1f s%s\n", (NowMs() - start) / 1000.0, failed ? ", WITH FAILURES" : "");
  return failed ? 1 : 0;
}
