// The board's life: start-up, painting, minimising, closing and destruction.
#include "board/board_dialog.h"

#include <cstdio>
#include <cstring>

#include "board/board_layout.h"
#include "board/board_state.h"
#include "board/dialog_stack.h"
#include "board/running_copy.h"
#include "desktop/field_font.h"
#include "desktop/registry.h"
#include "desktop/screen_tips.h"
#include "desktop/settings.h"
#include "desktop/splash.h"
#include "desktop/system_description.h"
#include "desktop/tray_icon.h"
#include "desktop/waits.h"
#include "dialogs/slot_menu.h"
#include "projects/find_state.h"
#include "projects/project_commands.h"
#include "projects/project_file.h"
#include "projects/project_library.h"
#include "resources/resource.h"

BoardDialog* Board = nullptr;

const char* const kScreenTipsEnabledText =
    "Show ScreenTips for Beginners - Enabled - Select to turn Screen&Tips OFF\tCtrl+T";
const char* const kScreenTipsDisabledText =
    "Show ScreenTips for Beginners - Disabled - Select to turn Screen&Tips ON\tCtrl+T";

namespace {

constexpr UINT kBandFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE;
constexpr const char* kInstallingArgument = "InstallingTheProgram";
constexpr const char* kStartGreetingFormat = "Select [Ok] to start %s";
constexpr const char* kSavingSettingsCaption = "Saving settings...";
constexpr int kProgramDirMaxLength = 230;

}  // namespace

BoardDialog::BoardDialog() : TableDialog(IDD_BOARD) {
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
  };
  return rows;
}

BOOL BoardDialog::OnInitDialog() {
  HWND board = Handle();

  if (std::strcmp(CommandLineCopy, kInstallingArgument) == 0) {
    PumpWait(1000, 0);
    char greeting[64];
    std::snprintf(greeting, sizeof(greeting), kStartGreetingFormat, kProgramName);
    MessageBoxA(board, greeting, kProgramName, MB_OK);
  }

  SendMessageA(board, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(BoardIcon));
  SendMessageA(board, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(BoardIcon));

  EmptyDialogStack();
  BoardHandle = board;
  PushDialog(board, this);
  MarkAsBoard(board);

  DescribeSystem();

  // The board is still hidden: its template is not visible at creation.
  Splash.CreateModeless(board);

  if (RunningCopyCheck(*this)) return FALSE;

  fw::CenterOnDesktop(board);
  BoardMenu.Attach(GetMenu(board));

  LoadProgramFolder();
  LoadSettings();

  ApplyFieldFont();
  ShowScreenTipsState();
  ShowTrayState();

  CheckItem(IDC_MIN_ON_EACH_COPY, MinOnEachCopy == 1);
  CheckItem(IDC_TOPMOST, TopMost == 1);
  PlaceBoardInBand(TopMost == 1);

  if (ProjectFileExists(CurrentProjectPath) && LoadProjectFile(CurrentProjectPath, BoardPage, 1) == 1) ShowPage();
  const bool startedWithoutProject = CurrentProjectPath[0] == '\0';
  ListProjects();
  if (startedWithoutProject) {
    // The listing makes its first entry current without loading it; a board that starts without
    // a project keeps none, so neither its caption nor its next save names a file whose slots
    // it does not show.
    CurrentProjectPath[0] = '\0';
    SendItem(IDC_PROJECT_COMBO, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  }
  BoardTitle(CurrentProjectPath);

  SplashHandOver(board, 300, 1, 100);
  if (std::strcmp(CommandLineCopy, kInstallingArgument) == 0) PostMessageA(board, WM_COMMAND, ID_SUPPORT_WEB, 0);

  CollectCopyButtons();
  ResetFindState();
  SelectField(kFirstTextFieldId);
  FocusProjectCombo();

  if (HideInTrayOnStartup == 1) {
    BoardMenu.Check(ID_OPTIONS_HIDE_AT_STARTUP, true);
    DrawMenuBar(board);
    if (UseSystemTray == 1) PostMessageA(board, WM_COMMAND, ID_HIDE, 0);
  }
  if (AutoPaste == 1) {
    BoardMenu.Check(ID_OPTIONS_AUTO_PASTE, true);
    DrawMenuBar(board);
  }
  BoardReady = 1;
  return FALSE;
}

void BoardDialog::LoadProgramFolder() {
  std::memset(ProgramFolder, 0, sizeof(ProgramFolder));
  RegReadString(kConfigureKey, kThisProgramDirValue, "", ProgramFolder, kProgramDirMaxLength + 1);
  const size_t length = std::strlen(ProgramFolder);
  if (length == 0 || ProgramFolder[length - 1] != '\\') {
    ProgramFolder[length] = '\\';
    ProgramFolder[length + 1] = '\0';
  }
  SetCurrentDirectoryA(ProgramFolder);
}

void BoardDialog::ShowScreenTipsState() {
  BoardMenu.SetText(ID_HELP_SCREENTIPS, WantToolTip == 1 ? kScreenTipsEnabledText : kScreenTipsDisabledText,
                    WantToolTip == 1);
  if (WantToolTip == 1) SetScreenTips(1);
  DrawMenuBar(Handle());
}

void BoardDialog::ShowTrayState() {
  MinimizeCommand = SW_MINIMIZE;
  if (UseSystemTray != 1) return;
  BoardMenu.Check(ID_OPTIONS_USE_TRAY, true);
  DrawMenuBar(Handle());
  // Hiding a minimised board is only safe while an icon is there to bring it back.
  if (AddTrayIcon() == 1) MinimizeCommand = SW_HIDE;
}

void BoardDialog::ApplyFieldFont() {
  FieldFont = CreateFieldFont();
  if (FieldFont == nullptr) return;
  SendItem(IDC_PROJECT_COMBO, WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SendItem(TextFieldOfSlot(slot), WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
  }
}

bool BoardDialog::PreTranslateMessage(MSG* msg) { return Dialog::PreTranslateMessage(msg); }

void BoardDialog::OnCancel() {
  if (BoardClosing == 1) EndDialog(IDCANCEL);
}

INT_PTR BoardDialog::OnClose(WPARAM, LPARAM) {
  SetWindowTextA(Handle(), kSavingSettingsCaption);
  EnableWindow(Handle(), FALSE);
  if (PrimaryCopy == 1) {
    ShuttingDown = 1;
    CaptureBoard();
    SaveBoardOnClose();
    SaveSettings();
  }
  BoardClosing = 1;
  // The dialog's default handling turns WM_CLOSE into IDCANCEL, which the cancel handler ends.
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
  BoardHandle = nullptr;
  PopDialog();
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
  if (wParam == SIZE_MINIMIZED) ShowWindow(Handle(), MinimizeCommand);
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
