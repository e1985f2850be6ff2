// Benchmark driver: Find in Projects over a library of 1000 projects that holds no match, timed
// in the real board, against reading and scanning the same files in this process in the same
// run; prints both and their ratio (bench/README.md has the method).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/figures.h"
#include "tests/e2e/project_bytes.h"
#include "tests/e2e/session.h"

using namespace e2e;

namespace {

constexpr int kProjects = 1000;
constexpr int kRounds = 7;
constexpr size_t kTextBytes = 4000;
constexpr const char* kSearchText = "ordinary zebra";
constexpr DWORD kTimeoutMs = 120000;

bool failed = false;

void Fail(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  std::fflush(stdout);
  failed = true;
}

// 33 captions and 33 texts of prose in which the search text's first word recurs and the whole
// never occurs, so every comparison runs on.
std::string ProseProject() {
  std::string names[33];
  std::string texts[33];
  for (int slot = 0; slot < 33; ++slot) {
    names[slot] = "Prose " + std::to_string(slot);
    for (int line = 0; texts[slot].size() < kTextBytes; ++line) {
      texts[slot] += "slot " + std::to_string(slot) + " line " + std::to_string(line) +
                     ": ORDINARY prose, an ordinary line to paste somewhere else\r\n";
    }
    texts[slot].resize(kTextBytes);
  }
  return ProjectBytes(names, texts);
}

// One project file and hard links to it (or copies where the file system cannot link).
std::vector<std::string> FillLibrary(const std::string& folder) {
  std::vector<std::string> names;
  const std::string bytes = ProseProject();
  char name[32];
  for (int i = 0; i < kProjects; ++i) {
    std::snprintf(name, sizeof name, "P%04d.vrl", i);
    names.push_back(name);
    const std::string path = folder + name;
    if (i == 0 || !CreateHardLinkA(path.c_str(), (folder + names[0]).c_str(), nullptr)) WriteWholeFile(path, bytes);
  }
  return names;
}

char Fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool FoldedEqual(char a, char b) { return Fold(a) == Fold(b); }

// The same work done plainly: each file read whole, each field searched with std::search.
int ScanNatively(const std::string& folder, const std::vector<std::string>& names, std::vector<char>& buffer) {
  const std::string needle = kSearchText;
  int matches = 0;
  for (const std::string& name : names) {
    FILE* file = std::fopen((folder + name).c_str(), "rb");
    if (file == nullptr) continue;
    const size_t read = std::fread(buffer.data(), 1, kProjectBytes, file);
    std::fclose(file);
    if (read != kProjectBytes) continue;
    for (int field = 0; field < 66; ++field) {
      const char* begin = buffer.data() + (field < 33 ? 32 * field : 1056 + 10240 * (field - 33));
      const char* end = std::find(begin, begin + (field < 33 ? 32 : 10240), '\0');
      if (std::search(begin, end, needle.begin(), needle.end(), FoldedEqual) != end) ++matches;
    }
  }
  return matches;
}

// The program's visible dialog with this caption (a message box: "Varnel"; the splash: none),
// found without sending a message to the busy board: the caption is the window manager's copy.
HWND VisibleDialogOf(DWORD processId, const wchar_t* caption = L"Varnel") {
  for (HWND window : TopLevelWindowsOf(processId)) {
    wchar_t text[64] = {};
    InternalGetWindowText(window, text, 64);
    if (IsWindowVisible(window) && ClassName(window) == "#32770" && std::wstring(text) == caption) return window;
  }
  return nullptr;
}

}  // namespace

int main() {
  std::printf("bench_find: program %s\n", ProgramPath().c_str());
  BoardSession session("bench-find");
  double phase = NowMs();
  const std::vector<std::string> names = FillLibrary(session.Folder());
  std::printf("%d projects prepared in %.0f ms\n", kProjects, NowMs() - phase);
  SetSetting("Files", "Current", session.Folder() + names[0]);
  SetSetting("Options", "UseSystemTray", "0");
  SetSetting("Options", "AutoPaste", "0");
  SetSetting("Options", "WantToolTip", "0");
  if (!session.Start()) {
    Fail("the board did not start");
    return 1;
  }
  // The board is ready once the start-up splash has gone.
  WaitUntil([&] { return VisibleDialogOf(session.Program().id, L"") == nullptr; }, 10000);
  PostMessageA(session.Board(), WM_COMMAND, 32778, 0);
  HWND dialog = WaitForWindowByCaption(session.Program().id, "Find in Projects", 10000);
  if (dialog == nullptr) {
    Fail("Find in Projects did not open");
    return 1;
  }
  SendMessageA(GetDlgItem(dialog, 1172), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kSearchText));
  const LRESULT listed = SendMessageA(GetDlgItem(session.Board(), 1003), CB_GETCOUNT, 0, 0);
  if (listed != kProjects || SendMessageA(GetDlgItem(dialog, 1174), BM_GETCHECK, 0, 0) != BST_CHECKED) {
    Fail("not a search of all " + std::to_string(kProjects) + " projects: " + std::to_string(listed) + " listed");
  }

  // Rounds alternate between the board and the driver, so that both meet the same machine; the
  // first round warms the file cache and is not counted.
  std::vector<double> board;
  std::vector<double> native;
  std::vector<char> buffer(kProjectBytes);
  for (int round = 0; round <= kRounds; ++round) {
    double start = NowMs();
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1183, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1183)));
    HWND box = nullptr;
    while ((box = VisibleDialogOf(session.Program().id)) == nullptr && NowMs() - start < kTimeoutMs) Sleep(1);
    const double elapsed = NowMs() - start;
    if (box == nullptr || MessageBoxText(box) != "Search Complete.") {
      Fail("the search did not end with \"Search Complete.\"");
      break;
    }
    AnswerMessageBox(box, "OK");
    WaitUntil([&] { return !IsWindow(box); }, 5000);
    if (round > 0) board.push_back(elapsed);

    start = NowMs();
    const int matches = ScanNatively(session.Folder(), names, buffer);
    if (matches != 0) Fail("the native scan found the text");
    if (round > 0) native.push_back(NowMs() - start);
  }

  PrintFigures("board: Find First to \"Search Complete.\"", board);
  PrintFigures("driver: read and scan the same files", native);
  if (!board.empty() && !native.empty()) {
    std::printf("%-44s %9.2f\n", "=> ratio of medians (board / driver)", Median(board) / Median(native));
  }
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  WaitUntil([&] { return !IsWindow(dialog); }, 5000);
  session.CloseAndWait();
  ClearSettings();
  return failed ? 1 : 0;
}
