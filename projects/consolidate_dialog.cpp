// Consolidate Projects: choosing the projects, and the consolidation with its progress. The
// order and the file work are in projects/consolidation.cpp.
#include "projects/consolidate_dialog.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "desktop/bounded_copy.h"
#include "desktop/field_font.h"
#include "desktop/program_name.h"
#include "dialogs/help_window.h"
#include "projects/consolidation.h"
#include "projects/consolidation_journal.h"
#include "resources/resource.h"
#include "state/board_state.h"
#include "state/stacked_dialog.h"

namespace {

constexpr int kMaxListedForConsolidation = 4001;
constexpr int kEntrySize = MAX_PATH;
constexpr const char* kSelectAProject = "Please select a Project";
constexpr const char* kMemoryShortage = "Memory Shortage";
constexpr const char* kErrorSavingFormat = "Error saving:\n%s";
constexpr const char* kErrorDeletingFormat = "Error deleting:\n%s";
constexpr const char* kUnableToOpenFormat = "Unable to open:\n%s";
constexpr const char* kInterruptedCompleted = "An interrupted consolidation of projects was completed.";
constexpr const char* kInterruptedUnfinishedFormat =
    "An interrupted consolidation of projects could not be finished:\n%s\n\nIts files were left as they are.";

// The message names the file; a cause the system gave is added on a line of its own, as the
// board's own save failures say it.
void Report(HWND owner, const char* format, const std::string& path, UINT extraStyle = 0,
            const FileFailure& cause = {}) {
  char message[MAX_PATH + kPathSize + kFileFailureTextSize + 128];
  const int length = std::snprintf(message, sizeof message, format, path.c_str());
  if (cause.problem != FileProblem::None && length > 0 && static_cast<std::size_t>(length) + 1 < sizeof message) {
    message[length] = '\n';
    DescribeFileFailure(cause, message + length + 1, sizeof message - length - 1);
  }
  MessageBoxA(owner, message, kProgramName, MB_ICONSTOP | extraStyle);
}

// The counts as the labels show them. The consolidation runs without dispatching messages, so
// the labels are painted at once; a few times a second is all an eye can follow, and painting
// every count would cost more than the consolidation itself.
class LabelProgress : public ConsolidationProgress {
 public:
  explicit LabelProgress(HWND dialog) : dialog_(dialog) {}
  void Examined(long slots) override {
    examined_ = slots;
    if (Due()) ShowBoth();
  }
  void ToPlace(long slots) override {
    toPlace_ = slots;
    if (Due()) ShowBoth();
  }
  // Shows the last counts, whenever they were given.
  void ShowBoth() {
    Show(IDC_CONSOLIDATE_EXAMINED, examined_);
    Show(IDC_CONSOLIDATE_TO_PLACE, toPlace_);
    shownAt_ = GetTickCount();
  }

 private:
  static constexpr DWORD kPaintEveryMs = 50;
  bool Due() const { return GetTickCount() - shownAt_ >= kPaintEveryMs; }
  void Show(int id, long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    SetDlgItemTextA(dialog_, id, text);
    UpdateWindow(GetDlgItem(dialog_, id));
  }
  HWND dialog_;
  long examined_ = 0;
  long toPlace_ = 0;
  // Zero: the first counts are shown at once.
  DWORD shownAt_ = GetTickCount() - kPaintEveryMs;
};

// The two page buffers, obtained as movable memory and locked for use; what was obtained is
// released whatever happens.
class PageBuffers {
 public:
  ~PageBuffers() {
    for (int i = 0; i < 2; ++i) {
      if (pages_[i] != nullptr) GlobalUnlock(blocks_[i]);
      if (blocks_[i] != nullptr) GlobalFree(blocks_[i]);
    }
  }
  // 0 when both are usable, otherwise the number of the step that failed (1 to 4).
  int Obtain() {
    for (int i = 0; i < 2; ++i) {
      blocks_[i] = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(ProjectPage));
      if (blocks_[i] == nullptr) return 1 + i;
    }
    for (int i = 0; i < 2; ++i) {
      pages_[i] = static_cast<ProjectPage*>(GlobalLock(blocks_[i]));
      if (pages_[i] == nullptr) return 3 + i;
    }
    return 0;
  }
  ProjectPage& Read() { return *pages_[0]; }
  ProjectPage& Build() { return *pages_[1]; }

 private:
  HGLOBAL blocks_[2] = {};
  ProjectPage* pages_[2] = {};
};

class ConsolidateDialog : public StackedDialog<ConsolidateDialog> {
 public:
  ConsolidateDialog() : StackedDialog(IDD_CONSOLIDATE) {}

  bool PreTranslateMessage(MSG* msg) override {
    // A click chooses a project at once, the arrow keys only select: the list reports both the
    // same way, so the last input decides.
    if (msg->hwnd == Item(IDC_CONSOLIDATE_ALL) && (msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONUP)) {
      clicked_ = true;
    } else if (msg->message == WM_KEYDOWN) {
      clicked_ = false;
    }
    return StackedDialog::PreTranslateMessage(msg);
  }

 protected:
  BOOL OnInitDialog() override {
    fw::CenterOnDesktop(Handle());
    if (FieldFont != nullptr) {
      SendItem(IDC_CONSOLIDATE_ALL, WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
      SendItem(IDC_CONSOLIDATE_CHOSEN, WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
    }
    ListLibrary();
    return TRUE;
  }

  void OnOK() override {
    for (int id = IDC_CONSOLIDATE_ALL; id <= IDC_CONSOLIDATE_HELP; ++id) EnableItem(id, false);
    PageBuffers buffers;
    const int shortage = buffers.Obtain();
    if (shortage != 0) {
      char message[32];
      std::snprintf(message, sizeof message, "%s %d", kMemoryShortage, shortage);
      MessageBoxA(Handle(), message, kProgramName, MB_ICONSTOP);
      EndDialog(IDCANCEL);
      return;
    }
    ConsolidateProjects(buffers);
    EndDialog(IDOK);
  }

  std::span<const CommandRow> CommandTable() const override {
    static constexpr CommandRow rows[] = {
        {IDC_CONSOLIDATE_ALL, IDC_CONSOLIDATE_ALL, LBN_SELCHANGE, &ConsolidateDialog::OnLibrarySelection},
        {IDC_CONSOLIDATE_ALL, IDC_CONSOLIDATE_ALL, LBN_DBLCLK, &ConsolidateDialog::OnLibraryDoubleClick},
        {IDC_CONSOLIDATE_ADD, IDC_CONSOLIDATE_ADD, BN_CLICKED, &ConsolidateDialog::OnAdd},
        {IDC_CONSOLIDATE_CHOSEN, IDC_CONSOLIDATE_CHOSEN, LBN_SELCHANGE, &ConsolidateDialog::OnChosenSelection},
        {IDC_CONSOLIDATE_CHOSEN, IDC_CONSOLIDATE_CHOSEN, LBN_DBLCLK, &ConsolidateDialog::OnRemove},
        {IDC_CONSOLIDATE_REMOVE, IDC_CONSOLIDATE_REMOVE, BN_CLICKED, &ConsolidateDialog::OnRemove},
        {IDC_CONSOLIDATE_OK, IDC_CONSOLIDATE_OK, BN_CLICKED, &ConsolidateDialog::OnOkButton},
        {IDC_CONSOLIDATE_CANCEL, IDC_CONSOLIDATE_CANCEL, BN_CLICKED, &ConsolidateDialog::OnCancelButton},
        {IDC_CONSOLIDATE_HELP, IDC_CONSOLIDATE_HELP, BN_CLICKED, &ConsolidateDialog::OnHelp},
    };
    return rows;
  }

 private:
  void ListLibrary() {
    char pattern[kPathSize + 8];
    std::snprintf(pattern, sizeof pattern, "%s*.vrl", ProgramFolder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    int listed = 0;
    do {
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      SendItem(IDC_CONSOLIDATE_ALL, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
      ++listed;
    } while (listed < kMaxListedForConsolidation && FindNextFileA(search, &found));
    FindClose(search);
  }

  std::string EntryOf(int list, LRESULT index) const {
    char text[kEntrySize] = {};
    if (index < 0 || SendItem(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= kEntrySize) return "";
    SendItem(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
  }

  std::vector<std::string> Chosen() const {
    std::vector<std::string> entries;
    const LRESULT count = SendItem(IDC_CONSOLIDATE_CHOSEN, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) entries.push_back(EntryOf(IDC_CONSOLIDATE_CHOSEN, i));
    return entries;
  }

  void OnLibrarySelection(int, int, HWND) {
    pending_ = EntryOf(IDC_CONSOLIDATE_ALL, SendItem(IDC_CONSOLIDATE_ALL, LB_GETCURSEL));
    if (clicked_ || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_LBUTTON) < 0) OnAdd(0, 0, nullptr);
  }

  void OnLibraryDoubleClick(int, int, HWND) {
    // The first click of the double-click has chosen the entry already; the second adds the
    // entry under the pointer again, which the list keeps once.
    pending_ = EntryOf(IDC_CONSOLIDATE_ALL, SendItem(IDC_CONSOLIDATE_ALL, LB_GETCURSEL));
    OnAdd(0, 0, nullptr);
  }

  void OnAdd(int, int, HWND) {
    if (pending_.empty()) {
      MessageBoxA(Handle(), kSelectAProject, kProgramName, MB_ICONINFORMATION);
      return;
    }
    const std::vector<std::string> chosen = Chosen();
    bool listed = false;
    for (const std::string& entry : chosen) listed = listed || entry == pending_;
    if (!listed) SendItem(IDC_CONSOLIDATE_CHOSEN, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pending_.c_str()));
    pending_.clear();
  }

  void OnChosenSelection(int, int, HWND) {
    const LRESULT selected = SendItem(IDC_CONSOLIDATE_CHOSEN, LB_GETCURSEL);
    remembered_ = selected == LB_ERR ? 0 : selected;
  }

  void OnRemove(int, int, HWND) {
    if (remembered_ < SendItem(IDC_CONSOLIDATE_CHOSEN, LB_GETCOUNT)) {
      SendItem(IDC_CONSOLIDATE_CHOSEN, LB_DELETESTRING, static_cast<WPARAM>(remembered_));
    }
    remembered_ = 0;
  }

  void OnOkButton(int, int, HWND) { OnOK(); }
  void OnCancelButton(int, int, HWND) { OnCancel(); }
  void OnHelp(int, int, HWND) { ShowHelp(Handle(), HelpTopicText(kConsolidateTopic)); }

  void ConsolidateProjects(PageBuffers& buffers) {
    const std::vector<std::string> entries = Chosen();
    LabelProgress progress(Handle());
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const ConsolidationResult result =
        ConsolidateProjectFiles(ProgramFolder, entries, buffers.Read(), buffers.Build(), &progress);
    progress.ShowBoth();
    SetCursor(previous);
    if (result.finishedEarlier) MessageBoxA(Handle(), kInterruptedCompleted, kProgramName, MB_ICONINFORMATION);
    // Every failure is reported with the file that failed, a project that could not be read as
    // well: the user asked for the projects to be rewritten and they were not. A journal left
    // behind after success is named, so that it can be removed by hand.
    using Outcome = ConsolidationResult::Outcome;
    switch (result.outcome) {
      case Outcome::Done:
        if (!result.leftBehind.empty()) Report(Handle(), kErrorDeletingFormat, result.leftBehind);
        break;
      case Outcome::UnreadableProject:
        Report(Handle(), kUnableToOpenFormat, result.failedPath, 0, result.cause);
        break;
      case Outcome::Unresolved:
        Report(Handle(), kInterruptedUnfinishedFormat, result.failedPath);
        break;
      case Outcome::ReadOnlyProject:
      case Outcome::Failed:
        Report(Handle(), kErrorSavingFormat, result.failedPath, 0, result.cause);
        break;
    }
  }

  std::string pending_;
  LRESULT remembered_ = 0;
  bool clicked_ = false;
};

}  // namespace

void FinishInterruptedConsolidation(HWND owner) {
  auto scratch = std::make_unique<ProjectPage>();
  const JournalResolution resolution = FinishConsolidationJournal(ProgramFolder, *scratch);
  // The start-up splash stays above the hidden board: the message must come above it.
  const UINT aboveSplash = MB_TOPMOST | MB_SETFOREGROUND;
  if (resolution.outcome == JournalOutcome::Completed) {
    MessageBoxA(owner, kInterruptedCompleted, kProgramName, MB_ICONINFORMATION | aboveSplash);
  } else if (resolution.outcome == JournalOutcome::Unresolved || resolution.outcome == JournalOutcome::Unreadable) {
    Report(owner, kInterruptedUnfinishedFormat, resolution.problemPath, aboveSplash);
  }
}

void RunConsolidateProjects(HWND owner) {
  ConsolidateDialog dialog;
  dialog.RunModal(owner);
}
