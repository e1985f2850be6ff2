// Find in Projects: searching the current project or all of them, one match at a time, and
// copying a found text field to the clipboard. The searching itself is in find_search.
#include "projects/find_dialog.h"

#include <cstdio>

#include "desktop/program_name.h"
#include "desktop/window_text.h"
#include "desktop/record_text.h"
#include "projects/find_search.h"
#include "projects/find_state.h"
#include "resources/resource.h"
#include "state/board_state.h"
#include "state/stacked_dialog.h"

namespace {

constexpr const char* kNoMemory = "Not enough local memory to finish task. Close some programs or reboot.";
constexpr const char* kTypeSearchText = "Please type in text to search for.";
constexpr const char* kSearchComplete = "Search Complete.";
constexpr const char* kSearchWordNotStorable =
    "No project can hold this search text: it has characters that a project cannot store.";

// The library in the order of the board's project list.
class ListedProjects : public ProjectSource {
 public:
  ListedProjects() : combo_(GetDlgItem(BoardHandle, IDC_PROJECT_COMBO)) {}

  int ProjectCount() override {
    const LRESULT count = SendMessageA(combo_, CB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
  }

  int ProjectName(int index, char* name, std::size_t size) override {
    // CB_GETLBTEXT writes the whole entry, whatever room there is.
    const LRESULT length = SendMessageA(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0 || static_cast<std::size_t>(length) >= size) return 0;
    return SendMessageA(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name)) >= 0 ? 1 : 0;
  }

  int ReadProject(const char* name, ProjectPage& page) override {
    return ReadProjectToSearch(ProgramFolder, name, page);
  }

 private:
  HWND combo_;
};

void CenterOverBoard(HWND window) {
  if (BoardHandle == nullptr || !IsWindowVisible(BoardHandle) || IsIconic(BoardHandle)) {
    fw::CenterOnDesktop(window);
    return;
  }
  RECT board;
  RECT own;
  GetWindowRect(BoardHandle, &board);
  GetWindowRect(window, &own);
  const int x = board.left + ((board.right - board.left) - (own.right - own.left)) / 2;
  const int y = board.top + ((board.bottom - board.top) - (own.bottom - own.top)) / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class FindDialog : public StackedDialog<FindDialog> {
 public:
  FindDialog() : StackedDialog(IDD_FIND_IN_PROJECTS) {}

 protected:
  BOOL OnInitDialog() override {
    CenterOverBoard(Handle());
    SendItem(IDC_FIND_WHAT, EM_LIMITTEXT, kSearchTextSize - 1, 0);
    if (FindState.searchText[0] != '\0') {
      SetItemText(IDC_FIND_WHAT, FindState.searchText);
    } else {
      EnableItem(IDC_FIND_FIRST, false);
    }
    EnableItem(IDC_FIND_NEXT, false);
    EnableItem(IDC_FIND_COPY_TEXT, false);
    EnableItem(IDC_FIND_COPY_AND_CLOSE, false);
    CheckItem(IDC_FIND_MATCH_CASE, FindState.matchCase == 1);
    CheckRadioButton(Handle(), IDC_FIND_ALL_PROJECTS, IDC_FIND_CURRENT_PROJECT,
                     FindState.allProjects == 1 ? IDC_FIND_ALL_PROJECTS : IDC_FIND_CURRENT_PROJECT);
    int fieldsButton = IDC_FIND_BUTTONS_AND_FIELDS;
    if (FindState.fields == kFindInButtons) fieldsButton = IDC_FIND_BUTTONS;
    if (FindState.fields == kFindInTextFields) fieldsButton = IDC_FIND_TEXT_FIELDS;
    CheckRadioButton(Handle(), IDC_FIND_BUTTONS_AND_FIELDS, IDC_FIND_BUTTONS, fieldsButton);

    FindState.lastScope = kScopeNone;
    if (AllocateFindBuffer() != 1) {
      MessageBoxA(Handle(), kNoMemory, kProgramName, MB_ICONSTOP);
      EndDialog(IDCANCEL);
    }
    return TRUE;
  }

  std::span<const MessageRow> MessageTable() const override {
    static constexpr MessageRow rows[] = {
        {WM_DESTROY, &FindDialog::OnDestroy},
    };
    return rows;
  }

  std::span<const CommandRow> CommandTable() const override {
    static constexpr CommandRow rows[] = {
        {IDC_FIND_WHAT, IDC_FIND_WHAT, kAnyCode, &FindDialog::OnSearchTextNotice},
        {IDC_FIND_FIRST, IDC_FIND_NEXT, BN_CLICKED, &FindDialog::OnFind},
        {IDC_FIND_COPY_TEXT, IDC_FIND_COPY_TEXT, BN_CLICKED, &FindDialog::OnCopyTextField},
        {IDC_FIND_COPY_AND_CLOSE, IDC_FIND_COPY_AND_CLOSE, BN_CLICKED, &FindDialog::OnCopyAndClose},
        {IDC_FIND_JUST_CLOSE, IDC_FIND_JUST_CLOSE, BN_CLICKED, &FindDialog::OnJustClose},
    };
    return rows;
  }

 private:
  // Every way of closing ends here; the rest of FindState stays for the next opening.
  INT_PTR OnDestroy(WPARAM, LPARAM) {
    ReleaseFindBuffer();
    return FALSE;
  }

  // The search text as the projects store text; false when that would change a character, since
  // searching for the substitute would find texts the user never meant.
  bool ReadSearchText() {
    const std::wstring typed = ItemTextWide(IDC_FIND_WHAT);
    const FieldFit fit = ToRecordText(typed.c_str(), static_cast<int>(typed.size()), FindState.searchText,
                                      static_cast<int>(kSearchTextSize));
    return !fit.changed;
  }

  void OnSearchTextNotice(int, int, HWND) {
    ReadWindowText(Item(IDC_FIND_WHAT), FindState.searchText, kSearchTextSize);
    EnableItem(IDC_FIND_FIRST, FindState.searchText[0] != '\0');
  }

  void OnFind(int button, int, HWND) {
    if (!ReadSearchText()) {
      MessageBoxA(Handle(), kSearchWordNotStorable, kProgramName, MB_ICONINFORMATION);
      FocusItem(IDC_FIND_WHAT);
      return;
    }
    if (FindState.searchText[0] == '\0') {
      MessageBoxA(Handle(), kTypeSearchText, kProgramName, MB_ICONINFORMATION);
      FocusItem(IDC_FIND_WHAT);
      return;
    }
    ReadOptions();
    ListedProjects library;
    if (RunFind(FindState, BoardPage, library, button) == 1) {
      const bool inLibrary = FindState.lastScope == kScopeAllProjects;
      const ProjectPage& page = inLibrary ? *FindState.readBuffer : BoardPage;
      ShowFindResult(inLibrary ? FindState.projectName : CurrentProjectPath, page.names[FindState.slot],
                     FindState.slot + 1, page.texts[FindState.slot]);
      FocusItem(IDC_FIND_NEXT);
      return;
    }
    MessageBoxA(Handle(), kSearchComplete, kProgramName, MB_ICONINFORMATION);
    // A disabled control cannot keep the focus: the keyboard would reach no control at all.
    if (GetFocus() == Item(IDC_FIND_NEXT)) FocusItem(IDC_FIND_WHAT);
    EnableItem(IDC_FIND_NEXT, false);
  }

  void ReadOptions() {
    FindState.matchCase = IsItemChecked(IDC_FIND_MATCH_CASE) ? 1 : 0;
    FindState.allProjects = IsItemChecked(IDC_FIND_ALL_PROJECTS) ? 1 : 0;
    FindState.fields = kFindInButtonsAndTextFields;
    if (IsItemChecked(IDC_FIND_TEXT_FIELDS)) FindState.fields = kFindInTextFields;
    if (IsItemChecked(IDC_FIND_BUTTONS)) FindState.fields = kFindInButtons;
  }

  void ShowFindResult(const char* project, const char* buttonName, int number, const char* textField) {
    char numberText[16];
    std::snprintf(numberText, sizeof numberText, "%d", number);
    SetItemText(IDC_FIND_PROJECT_NAME, ProjectNameShown(project));
    SetItemText(IDC_FIND_BUTTON_NAME, buttonName);
    SetItemText(IDC_FIND_BUTTON_NUMBER, numberText);
    SetItemText(IDC_FIND_TEXT, textField);
    const bool hasText = textField[0] != '\0';
    EnableItem(IDC_FIND_COPY_TEXT, hasText);
    EnableItem(IDC_FIND_COPY_AND_CLOSE, hasText);
    EnableItem(IDC_FIND_NEXT, true);
  }

  // The edit control puts its selection on the clipboard itself, as the board's fields do.
  void OnCopyTextField(int, int, HWND) {
    SendItem(IDC_FIND_TEXT, EM_SETSEL, 0, -1);
    SendItem(IDC_FIND_TEXT, WM_COPY);
    SendItem(IDC_FIND_TEXT, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  }

  void OnCopyAndClose(int id, int code, HWND control) {
    OnCopyTextField(id, code, control);
    EndDialog(IDOK);
  }

  void OnJustClose(int, int, HWND) { EndDialog(IDCANCEL); }

  // Through the dialog manager, so that the default button follows the focus.
  void FocusItem(int id) { SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE); }
};

}  // namespace

void RunFindInProjects(HWND owner) {
  FindDialog dialog;
  dialog.RunModal(owner);
}
