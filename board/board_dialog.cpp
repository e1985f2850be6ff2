// The board's life: start-up, painting, minimising, closing and destruction.
#include "board/board_dialog.h"

#include <cstdio>
#include <cstring>

#include "board/running_copy.h"
#include "desktop/field_font.h"
#include "desktop/program_name.h"
#include "desktop/registry.h"
#include "desktop/screen_tips.h"
#include "desktop/settings.h"
#include "desktop/splash.h"
#include "desktop/system_description.h"
#include "desktop/tray_icon.h"
#include "desktop/waits.h"
#include "dialogs/slot_menu.h"
#include "projects/consolidate_dialog.h"
#include "projects/find_state.h"
#include "projects/project_commands.h"
#include "projects/project_file.h"
#include "projects/project_library.h"
#include "projects/project_name.h"
#include "resources/resource.h"
#include "state/board_state.h"

namespace {

constexpr UINT kBandFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE;
constexpr const char* kInstallingArgument = "InstallingTheProgram";
constexpr const char* kStartGreetingFormat = "Select [Ok] to start %s";
constexpr const char* kSavingSettingsCaption = "Saving settings...";

void UseBackslashes(char* path) {
  for (; *path != '\0'; ++path) {
    if (*path == '/') *path = '\\';
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
      {WM_QUERYDRAGICON, &BoardDialog::OnQueryDragIcon},
      {WM_SIZE, &BoardDialog::OnSize},
      {WM_TIMECHANGE, &BoardDialog::OnTimeChange},
      {WM_CONTEXTMENU, &BoardDialog::OnContextMenu},
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

  LoadProgramFolder();
  LoadSettings();

  ApplyFieldFont();
  ShowScreenTipsChoice();
  StartTrayIcon();

  CheckItem(IDC_MIN_ON_EACH_COPY, MinOnEachCopy == 1);
  CheckItem(IDC_TOPMOST, TopMost == 1);
  PlaceBoardInBand(TopMost == 1);

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
}

void BoardDialog::LoadProgramFolder() {
  std::memset(ProgramFolder, 0, sizeof(ProgramFolder));
  RegReadString(kConfigureKey, kThisProgramDirValue, "", ProgramFolder, kProgramDirMaxLength + 1);
  UseBackslashes(ProgramFolder);
  const size_t length = std::strlen(ProgramFolder);
  if (length == 0 || ProgramFolder[length - 1] != '\\') {
    ProgramFolder[length] = '\\';
    ProgramFolder[length + 1] = '\0';
  }
  SetCurrentDirectoryA(ProgramFolder);
}

void BoardDialog::LoadCurrentProjectAtStart() {
  const bool loaded = IsRootedPath(CurrentProjectPath) && ProjectFileExists(CurrentProjectPath) &&
                      LoadProjectFile(CurrentProjectPath, BoardPage, 1) == 1;
  if (loaded) ShowPage();
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
    const int saved = SaveBoardOnClose();
    SaveSettings();
    if (saved != 1 && slotSavesAtFailedClose_ != BoardSlotSaves()) {
      // The texts exist only on the board now: it stays open, so that the user can save them
      // elsewhere. A second failed close with no save since ends the program; after a save the
      // board may hold newer texts, which get the same chance.
      slotSavesAtFailedClose_ = BoardSlotSaves();
      ShuttingDown = 0;
      MarkBoardClosing(Handle(), false);
      EnableWindow(Handle(), TRUE);
      BoardTitle(CurrentProjectPath);
      closing_ = false;
      return TRUE;
    }
  }
  BoardClosing = 1;
  // The dialog's default handling turns WM_CLOSE into IDCANCEL, which the cancel handler ends.
  return FALSE;
}

INT_PTR BoardDialog::OnEndSession(WPARAM ending, LPARAM) {
  if (ending == FALSE || PrimaryCopy != 1 || closing_ || BoardClosing == 1) return FALSE;
  // The process ends as soon as this returns and nobody is there to answer a question: the slots
  // go back into their own file only, without a message, and the settings are kept.
  ShuttingDown = 1;
  SessionEnding = 1;
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

INT_PTR BoardDialog::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(BoardIcon); }

INT_PTR BoardDialog::OnSize(WPARAM wParam, LPARAM) {
  if (wParam == SIZE_MINIMIZED) {
    HideBoardDialogs();
    ShowWindow(Handle(), MinimizeCommand);
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
