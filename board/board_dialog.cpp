// The board's life: start-up, painting, minimising, closing and destruction.
#include "board/board_dialog.h"

#include <cstdio>

#include "board/board_layout.h"
#include "board/board_state.h"
#include "board/dialog_stack.h"
#include "desktop/field_font.h"
#include "desktop/splash.h"
#include "desktop/waits.h"
#include "resources/resource.h"

BoardDialog* Board = nullptr;

namespace {

constexpr UINT kBandFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE;

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
  };
  return rows;
}

BOOL BoardDialog::OnInitDialog() {
  HWND board = Handle();

  SendMessageA(board, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(BoardIcon));
  SendMessageA(board, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(BoardIcon));

  EmptyDialogStack();
  BoardHandle = board;
  PushDialog(board, this);

  // The board is still hidden: its template is not visible at creation.
  Splash.CreateModeless(board);

  fw::CenterOnDesktop(board);
  BoardMenu.Attach(GetMenu(board));

  ApplyFieldFont();

  SetBoardTitle(CurrentProjectPath);
  SplashHandOver(board, 300, 1, 100);

  CollectCopyButtons();
  SelectField(kFirstTextFieldId);
  FocusProjectCombo();
  BoardReady = 1;
  return FALSE;
}

void BoardDialog::ApplyFieldFont() {
  FieldFont = CreateFieldFont();
  if (FieldFont == nullptr) return;
  SendItem(IDC_PROJECT_COMBO, WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SendItem(TextFieldOfSlot(slot), WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
  }
}

void BoardDialog::SetBoardTitle(const char* path) {
  char title[kPathSize + 16];
  std::snprintf(title, sizeof(title), "%s >%s", kProgramName, path);
  SetWindowTextA(Handle(), title);
}

bool BoardDialog::PreTranslateMessage(MSG* msg) { return Dialog::PreTranslateMessage(msg); }

void BoardDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (code == EN_SETFOCUS && IsTextField(id)) SelectField(id);
  (void)lParam;
  DefaultCommand(wParam);
}

void BoardDialog::OnCancel() {
  if (BoardClosing == 1) EndDialog(IDCANCEL);
}

INT_PTR BoardDialog::OnClose(WPARAM, LPARAM) {
  SetWindowTextA(Handle(), "Saving settings...");
  EnableWindow(Handle(), FALSE);
  if (PrimaryCopy == 1) ShuttingDown = 1;
  BoardClosing = 1;
  // The dialog's default handling turns WM_CLOSE into IDCANCEL, which the cancel handler ends.
  return FALSE;
}

INT_PTR BoardDialog::OnDestroy(WPARAM, LPARAM) {
  if (PrimaryCopy == 1) {
    ShuttingDown = 1;
    if (FieldFont != nullptr) {
      DeleteObject(FieldFont);
      FieldFont = nullptr;
    }
  }
  if (TrayIcon != nullptr) {
    DestroyIcon(TrayIcon);
    TrayIcon = nullptr;
  }
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

void CollectCopyButtons() {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    CopyButtonTable[slot] = GetDlgItem(BoardHandle, CopyButtonOfSlot(slot));
  }
}
