// The board's life: start-up, painting, minimising, closing and destruction.
#include "board/board_dialog.h"

#include <cstdio>
#include <cstring>

#include "board/administrator_notice.h"
#include "board/program_folder.h"
#include "board/running_copy.h"
#include "desktop/bounded_copy.h"
#include "desktop/field_font.h"
#include "desktop/program_name.h"
#include "desktop/registry.h"
#include "desktop/screen_tips.h"
#include "desktop/settings.h"
#include "desktop/splash.h"
#include "desktop/system_description.h"
#include "desktop/token_elevation.h"
#include "desktop/tray_icon.h"
#include "desktop/waits.h"
#include "dialogs/slot_menu.h"
#include "projects/consolidate_dialog.h"
#include "projects/interrupted_saves.h"
#include "projects/find_state.h"
#include "projects/project_commands.h"
#include "projects/project_file.h"
#include "projects/project_library.h"
#include "projects/project_name.h"
#include "projects/unsaved_texts.h"
#include "resources/resource.h"
#include "state/board_state.h"

namespace {

constexpr UINT kBandFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE;
constexpr const char* kInstallingArgument = "InstallingTheProgram";
constexpr const char* kStartGreetingFormat = "Select [Ok] to start %s";
constexpr const char* kSavingSettingsCaption = "Saving settings...";

// Posted by the start-up so that what it could not use is told over the board once it shows.
constexpr UINT kStartUpReportsMessage = WM_APP + 101;

// Typing and pasting stop where a field of the record ends, so the user sees the limit when it is
// reached rather than losing the end at the next save.
void LimitFieldsToRecord(HWND board) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SendDlgItemMessageW(board, TextFieldOfSlot(slot), EM_LIMITTEXT, kTextFieldSize - 1, 0);
  }
}

}  // namespace

bool StartedByInstaller() { return std::strcmp(CommandLineCopy, kInstallingArgument) == 0; }

BoardDialog::BoardDialog() : StackedDialog(IDD_BOARD, false) {
  BoardIcon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BOARD), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
}

std::span<const BoardDialog::MessageRow> BoardDialog::MessageTable() const {
  static const MessageRow rows[] = {
      {WM_CLOSE, &BoardDialog::OnClose},
      {WM_DESTROY, &BoardDialog::OnDestroy},
      {WM_PAINT, &BoardDialog::OnPaint},
      {WM_SETFOCUS, &BoardDialog::OnSetFocus},
      {WM_QUERYDRAGICON, &BoardDialog::OnQueryDragIcon},
      {WM_SIZE, &BoardDialog::OnSize},
      {WM_TIMECHANGE, &BoardDialog::OnTimeChange},
      {WM_CONTEXTMENU, &BoardDialog::OnContextMenu},
      {WM_QUERYENDSESSION, &BoardDialog::OnQueryEndSession},
      {kStartUpReportsMessage, &BoardDialog::OnStartUpReports},
      {WM_ENDSESSION, &BoardDialog::OnEndSession},
      {kTrayCallbackMessage, &BoardDialog::OnTrayNotify},
  };
  return rows;
}

bool BoardDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  // The taskbar's message has its number only at run time, so it cannot be a row of the table.
  if (message == TaskbarCreatedMessage) {
    AnswerTaskbarCreated();
    result = FALSE;
    return true;
  }
  return StackedDialog::HandleMessage(message, wParam, lParam, result);
}

BOOL BoardDialog::OnInitDialog() {
  RegisterTaskbarCreated();
  startingUp_ = true;
  StartUp();
  startingUp_ = false;
  RunPendingClose();
  return FALSE;
}

void BoardDialog::StartUp() {
  HWND board = Handle();

  if (StartedByInstaller()) {
    PumpWait(1000, 0);
    char greeting[64];
    std::snprintf(greeting, sizeof(greeting), kStartGreetingFormat, kProgramName);
    MessageBoxA(board, greeting, kProgramName, MB_OK);
  }

  SendMessageA(board, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(BoardIcon));
  SendMessageA(board, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(BoardIcon));

  EmptyDialogStack();
  BoardHandle = board;
  JoinDialogStack();
  MarkAsBoard(board);

  DescribeSystem();

  // The board is still hidden: its template is not visible at creation. A splash shown before
  // the board was created only takes the board as its owner here.
  StartSplash(board);

  if (RunningCopyCheck(*this)) return;

  fw::CenterOnDesktop(board);
  BoardMenu.Attach(GetMenu(board));

  folderProblem_ = LoadProgramFolder();
  administratorNoticeDue_ = SaysRunningAsAdministrator(ReadTokenElevation(), NewSessionStart == 1);
  LoadSettings();

  ApplyFieldFont();
  LimitFieldsToRecord(board);
  ShowScreenTipsChoice();
  StartTrayIcon();

  CheckItem(IDC_MIN_ON_EACH_COPY, MinOnEachCopy == 1);
  CheckItem(IDC_TOPMOST, TopMost == 1);
  PlaceBoardInBand(TopMost == 1);

  UndoInterruptedSaves(board);
  FinishInterruptedConsolidation(board);
  LoadCurrentProjectAtStart();
  BoardTitle(CurrentProjectPath);

  SplashHandOver(board, 300, 1, 100);
  if (StartedByInstaller()) PostMessageA(board, WM_COMMAND, ID_SUPPORT_WEB, 0);

  CollectCopyButtons();
  ResetFindState();
  SelectField(kFirstTextFieldId);
  FocusProjectCombo();

  FinishTrayStartUp();
  if (AutoPaste == 1) {
    BoardMenu.Check(ID_OPTIONS_AUTO_PASTE, true);
    DrawMenuBar(board);
  }
  BoardReady = 1;
  if (administratorNoticeDue_ || folderProblem_ != ProgramFolderProblem::None || unloadableAtStart_[0] != '\0') {
    PostMessageA(board, kStartUpReportsMessage, 0, 0);
  }
}

bool BoardDialog::SampleNeverInstalled(const FileFailure& failure) {
  // Without a current project in the settings the board tries the sample project of its folder;
  // a folder without one is no project of the user's that failed to load.
  char sample[kPathSize];
  std::snprintf(sample, sizeof(sample), "%s%s", ProgramFolder, kSampleProjectName);
  return failure.problem == FileProblem::NotFound && EqualIgnoringCase(sample, CurrentProjectPath);
}

void BoardDialog::NoteUnloadableAtStart(const char* path, const FileFailure& failure) {
  CopyBounded(unloadableAtStart_, path, sizeof(unloadableAtStart_));
  unloadableFailure_ = failure;
}

INT_PTR BoardDialog::OnStartUpReports(WPARAM, LPARAM) {
  BeginWork();
  // The dialog loop shows the board only once no message waits, which is after this one: a
  // message over a board not yet shown would stand alone. A board put into the tray on purpose
  // is minimised and stays where it is.
  HWND board = Handle();
  if (!IsWindowVisible(board) && !IsIconic(board)) {
    ShowWindow(board, SW_SHOWNORMAL);
    UpdateWindow(board);
  }
  // First: a project that looks missing or old may be just what running apart explains.
  if (administratorNoticeDue_) MessageBoxA(board, kAdministratorNotice, kProgramName, MB_ICONINFORMATION);
  administratorNoticeDue_ = false;
  ReportProgramFolderProblem(folderProblem_);
  folderProblem_ = ProgramFolderProblem::None;
  if (unloadableAtStart_[0] != '\0') ReportUnloadableProject(unloadableAtStart_, unloadableFailure_);
  unloadableAtStart_[0] = '\0';
  EndWork();
  return TRUE;
}

void BoardDialog::LoadCurrentProjectAtStart() {
  // A path that is not rooted (a value of another type, or written by hand) names no file
  // that could be told apart from the current directory's, so it is neither loaded nor reported.
  const bool rooted = IsRootedPath(CurrentProjectPath);
  FileFailure failure;
  const bool loaded = rooted && LoadProjectFile(CurrentProjectPath, BoardPage, 1, &failure) == 1;
  if (loaded) ShowPage();
  if (!loaded && rooted && !SampleNeverInstalled(failure)) NoteUnloadableAtStart(CurrentProjectPath, failure);
  ListProjects();
  if (!loaded) {
    // A board that starts without its project's slots names no project (the listing makes its
    // first entry current without loading it): neither its caption nor its next save may name
    // a file whose slots it does not show.
    CurrentProjectPath[0] = '\0';
    SendItem(IDC_PROJECT_COMBO, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
}

void BoardDialog::ApplyFieldFont() {
  FieldFont = CreateFieldFont();
  if (FieldFont == nullptr) return;
  SendItem(IDC_PROJECT_COMBO, WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SendItem(TextFieldOfSlot(slot), WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
  }
}

void BoardDialog::EndWork() {
  --workDepth_;
  RunPendingClose();
}

void BoardDialog::RunPendingClose() {
  if (workDepth_ > 0 || startingUp_ || !closePending_) return;
  closePending_ = false;
  if (!HasEnded()) PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

bool BoardDialog::PreTranslateMessage(MSG* msg) {
  ToolTipRelay(msg);
  // A multi-line field answers Escape by closing its dialog, which would run the close path and
  // end the program. Escape means nothing on the board.
  if ((msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == VK_ESCAPE &&
      GetParent(msg->hwnd) == Handle() && IsTextField(GetDlgCtrlID(msg->hwnd))) {
    return true;
  }
  return Dialog::PreTranslateMessage(msg);
}

void BoardDialog::OnCancel() {
  if (BoardClosing == 1) EndDialog(IDCANCEL);
}

INT_PTR BoardDialog::OnClose(WPARAM, LPARAM) {
  // A close in the middle of a command (from its message box or prompt) would save and record
  // a project while the command still changes it: the close runs once the command is done.
  if (workDepth_ > 0 || startingUp_) {
    closePending_ = true;
    return TRUE;
  }
  // Already closing: the save in progress may be asking for a name.
  if (closing_ || BoardClosing == 1) return TRUE;
  closing_ = true;
  SetWindowTextA(Handle(), kSavingSettingsCaption);
  EnableWindow(Handle(), FALSE);
  MarkBoardClosing(Handle(), true);
  if (PrimaryCopy == 1) {
    ShuttingDown = 1;
    CaptureBoard();
    if (ConfirmCapturedTexts() != 1) {
      ReopenAfterDeclinedClose();
      return TRUE;
    }
    const EndingChoice choice = SaveTextsBeforeEnding();
    SaveSettings();
    if (choice == EndingChoice::StayOpen) {
      ReopenAfterDeclinedClose();
      return TRUE;
    }
  }
  BoardClosing = 1;
  // The dialog's default handling turns WM_CLOSE into IDCANCEL, which the cancel handler ends.
  return FALSE;
}

// The user went back from the close: the board stays open with its texts as they are.
void BoardDialog::ReopenAfterDeclinedClose() {
  ShuttingDown = 0;
  MarkBoardClosing(Handle(), false);
  EnableWindow(Handle(), TRUE);
  BoardTitle(CurrentProjectPath);
  closing_ = false;
}

INT_PTR BoardDialog::OnQueryEndSession(WPARAM, LPARAM) {
  // Asked while a command or the close is already running, or by a second copy: nothing is
  // decided here, and the end of the session saves what it can.
  if (PrimaryCopy != 1 || closing_ || BoardClosing == 1 || WorkDepth() > 0 || startingUp_) {
    return SetMessageResult(TRUE);
  }
  // Windows waits while the board asks, and shows it as a program that keeps the session from
  // ending; the user's answer decides, as on close.
  closing_ = true;
  CaptureBoard();
  // Characters that the file cannot store are put to the user here too: nothing is asked later.
  if (ConfirmCapturedTexts() != 1) {
    closing_ = false;
    return SetMessageResult(FALSE);
  }
  const EndingChoice choice = SaveTextsBeforeEnding();
  SaveSettings();
  closing_ = false;
  if (choice == EndingChoice::StayOpen) return SetMessageResult(FALSE);
  savedForSessionEnd_ = true;
  return SetMessageResult(TRUE);
}

INT_PTR BoardDialog::OnEndSession(WPARAM ending, LPARAM) {
  if (ending == FALSE) {
    savedForSessionEnd_ = false;
    return FALSE;
  }
  if (PrimaryCopy != 1 || closing_ || BoardClosing == 1) return FALSE;
  ShuttingDown = 1;
  SessionEnding = 1;
  // The texts were saved, or the user chose to end without them, when the session asked.
  if (savedForSessionEnd_) return FALSE;
  // The process ends as soon as this returns and nobody is there to answer a question: the slots
  // go back into their own file only, without a message, and the settings are kept.
  CaptureBoard();
  SaveBoardAtSessionEnd();
  SaveSettings();
  return FALSE;
}

INT_PTR BoardDialog::OnDestroy(WPARAM, LPARAM) {
  if (PrimaryCopy == 1) {
    ShuttingDown = 1;
    if (MinimizeCommand == SW_HIDE) DeleteTrayIcon();
    if (FieldFont != nullptr) {
      DeleteObject(FieldFont);
      FieldFont = nullptr;
    }
  }
  EndRunningCopy();
  if (TrayIcon != nullptr) {
    DestroyIcon(TrayIcon);
    TrayIcon = nullptr;
  }
  SetScreenTips(0);
  // The stacked-dialog base pops the board once this handler has run.
  BoardHandle = nullptr;
  return FALSE;
}

INT_PTR BoardDialog::OnPaint(WPARAM, LPARAM) {
  HWND board = Handle();
  PAINTSTRUCT paint;
  if (IsIconic(board)) {
    HDC dc = BeginPaint(board, &paint);
    SendMessageA(board, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(board, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, BoardIcon);
    EndPaint(board, &paint);
    return TRUE;
  }
  BeginPaint(board, &paint);
  EndPaint(board, &paint);
  FocusProjectCombo();
  return TRUE;
}

INT_PTR BoardDialog::OnSetFocus(WPARAM, LPARAM) {
  // While Reposition mode runs the board keeps the focus itself rather than handing it on to a
  // copy button, which Return would click on Windows (the dialog manager makes a focused push
  // button the default one).
  return RepositionMode == 1 ? TRUE : FALSE;
}

INT_PTR BoardDialog::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(BoardIcon); }

INT_PTR BoardDialog::OnSize(WPARAM wParam, LPARAM) {
  if (wParam == SIZE_MINIMIZED) {
    HideBoardDialogs();
    ShowWindow(Handle(), MinimizeCommand);
    TellWhereTheBoardHides();
  } else {
    ShowBoardDialogs();
  }
  return FALSE;
}

INT_PTR BoardDialog::OnTrayNotify(WPARAM wParam, LPARAM lParam) {
  RelayContextMenu(kTrayCallbackMessage, wParam, lParam);
  AnswerTrayNotification(wParam, lParam);
  return FALSE;
}

INT_PTR BoardDialog::OnContextMenu(WPARAM wParam, LPARAM lParam) {
  RelayContextMenu(WM_CONTEXTMENU, wParam, lParam);
  return FALSE;
}

INT_PTR BoardDialog::OnTimeChange(WPARAM, LPARAM) {
  NoteTimeChange();
  return FALSE;
}

void SelectField(int field) {
  HWND edit = GetDlgItem(BoardHandle, field);
  SendMessageA(edit, EM_SETSEL, 0, 0);
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  CurrentField = field;
}

void PlaceBoardInBand(bool topmost) {
  SetWindowPos(BoardHandle, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, kBandFlags);
}
