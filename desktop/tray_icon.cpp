// The board's icon in the notification area.
#include "desktop/tray_icon.h"

#include "desktop/bounded_copy.h"
#include "desktop/shell_calls.h"
#include "desktop/splash.h"
#include "resources/resource.h"
#include "state/board_state.h"
#include "state/dialog_stack.h"

UINT TaskbarCreatedMessage = 0xFFFFFFFFu;

namespace {

constexpr const char* kTaskbarCreated = "TaskbarCreated";
constexpr const char* kTrayTip = "Click to Activate Varnel";
constexpr const char* kDialogClass = "#32770";
constexpr const char* kWhereTitle = "Varnel is still running";
// Short lines, the longest first: a notification area that does not wrap (Wine's) cuts off
// what is wider than the first.
constexpr const char* kWhereText = "Click this icon to bring Varnel back.\nIt may be behind the arrow.";
constexpr DWORD kMessageFilterAllow = 1;  // MSGFLT_ALLOW
using ChangeWindowMessageFilterExCall = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V2_SIZE == 488, "the record's version 5.0 layout");
#endif

bool iconShown = false;
bool toldWhereTheBoardIs = false;
// Before the tray start-up the options are not loaded yet, and the board may have no handle.
bool trayStarted = false;
// "Hide in Tray at Startup" found no icon to hide behind: the board stays up until there is one.
bool hideWhenIconArrives = false;

// The dialogs hidden with the board, shown again when it is restored.
HWND hiddenDialogs[kDialogStackSize] = {};
int hiddenCount = 0;

bool OwnedByBoard(HWND window) {
  for (HWND owner = GetWindow(window, GW_OWNER); owner != nullptr; owner = GetWindow(owner, GW_OWNER)) {
    if (owner == BoardHandle) return true;
  }
  return false;
}

BOOL CALLBACK HideIfBoardDialog(HWND window, LPARAM) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  // The splash closes on its own timer; shown again with the board it would never go.
  if (hiddenCount >= kDialogStackSize || !IsWindowVisible(window) || window == Splash.Handle() ||
      lstrcmpA(className, kDialogClass) != 0 || !OwnedByBoard(window)) {
    return TRUE;
  }
  ShowWindow(window, SW_HIDE);
  hiddenDialogs[hiddenCount++] = window;
  return TRUE;
}

// The record that every notification-area call passes, filled anew.
void FillTrayIconData(NOTIFYICONDATAA& data) {
  data = {};
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = BoardHandle;
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = TrayIcon;
  CopyBounded(data.szTip, kTrayTip, sizeof(data.szTip));
}

int NotifyTray(DWORD operation) {
  NOTIFYICONDATAA data;
  FillTrayIconData(data);
  return ShellNotifyIcon(operation, &data) ? 1 : 0;
}

// 1 when the icon is in the notification area.
int AddTrayIcon() {
  const int added = NotifyTray(NIM_ADD);
  if (added == 1) iconShown = true;
  return added;
}

void ShowTrayMenu() {
  POINT at = {};
  GetCursorPos(&at);
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAY_MENU));
  if (menu == nullptr) return;
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(BoardHandle);
  HMENU popup = GetSubMenu(menu, 0);
  if (popup != nullptr) TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, BoardHandle, nullptr);
  PostMessageA(BoardHandle, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

// A board running elevated would otherwise never hear the taskbar's broadcast, which comes from
// the unelevated shell, and its icon would stay gone after Explorer restarts. The call exists from
// Windows 7 on; before that the old per-process filter is all there is, and the board goes without.
void LetTaskbarCreatedThrough() {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  if (user32 == nullptr || TaskbarCreatedMessage == 0 || TaskbarCreatedMessage == 0xFFFFFFFFu) return;
  const auto change = reinterpret_cast<ChangeWindowMessageFilterExCall>(
      reinterpret_cast<void (*)()>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
  if (change != nullptr) change(BoardHandle, TaskbarCreatedMessage, kMessageFilterAllow, nullptr);
}

}  // namespace

void RegisterTaskbarCreated() { TaskbarCreatedMessage = RegisterWindowMessageA(kTaskbarCreated); }

void DeleteTrayIcon() {
  NotifyTray(NIM_DELETE);
  iconShown = false;
}

void StartTrayIcon() {
  trayStarted = true;
  LetTaskbarCreatedThrough();
  MinimizeCommand = kShowMinimize;
  if (UseSystemTray != 1) return;
  BoardMenu.Check(ID_OPTIONS_USE_TRAY, true);
  DrawMenuBar(BoardHandle);
  MinimizeCommand = MinimizeCommandFor(AddTrayIcon() == 1);
}

void FinishTrayStartUp() {
  if (HideInTrayOnStartup != 1) return;
  BoardMenu.Check(ID_OPTIONS_HIDE_AT_STARTUP, true);
  DrawMenuBar(BoardHandle);
  switch (DecideStartupHide(HideInTrayOnStartup, UseSystemTray, iconShown)) {
    case StartupHide::HideNow:
      PostMessageA(BoardHandle, WM_COMMAND, ID_HIDE, 0);
      break;
    case StartupHide::WhenIconArrives:
      hideWhenIconArrives = true;
      break;
    case StartupHide::Nothing:
      break;
  }
}

void ToggleUseTray() {
  // The user has chosen how the board lives now; a start-up hide still waiting is forgotten.
  hideWhenIconArrives = false;
  if (BoardMenu.IsChecked(ID_OPTIONS_USE_TRAY)) {
    UseSystemTray = 0;
    BoardMenu.Check(ID_OPTIONS_USE_TRAY, false);
    MinimizeCommand = kShowMinimize;
    DeleteTrayIcon();
  } else {
    UseSystemTray = 1;
    BoardMenu.Check(ID_OPTIONS_USE_TRAY, true);
    MinimizeCommand = MinimizeCommandFor(AddTrayIcon() == 1);
  }
  DrawMenuBar(BoardHandle);
}

void AnswerTaskbarCreated() {
  if (!trayStarted || UseSystemTray != 1) return;
  // An icon still there from before the broadcast refuses a second add; replaced, it is known to
  // be there exactly when the add succeeds.
  if (AddTrayIcon() != 1) {
    DeleteTrayIcon();
    AddTrayIcon();
  }
  MinimizeCommand = MinimizeCommandFor(iconShown);
  if (!iconShown && IsIconic(BoardHandle) && !IsWindowVisible(BoardHandle)) {
    // Nothing would bring a board hidden in the tray back: it waits on the taskbar instead.
    ShowWindow(BoardHandle, SW_MINIMIZE);
  }
  if (iconShown && hideWhenIconArrives) {
    hideWhenIconArrives = false;
    PostMessageA(BoardHandle, WM_COMMAND, ID_HIDE, 0);
  }
}

void TellWhereTheBoardHides() {
  if (!ShouldTellWhereTheBoardIs(toldWhereTheBoardIs, iconShown, MinimizeCommand)) return;
  NOTIFYICONDATAA data;
  FillTrayIconData(data);
  data.uFlags = NIF_INFO;
  CopyBounded(data.szInfoTitle, kWhereTitle, sizeof(data.szInfoTitle));
  CopyBounded(data.szInfo, kWhereText, sizeof(data.szInfo));
  data.dwInfoFlags = NIIF_INFO;
  if (ShellNotifyIcon(NIM_MODIFY, &data)) toldWhereTheBoardIs = true;
}

void AnswerTrayNotification(WPARAM iconId, LPARAM mouseMessage) {
  HWND top = StackCount >= 1 ? DialogStackWindows[StackCount] : nullptr;
  if (BoardHandle == nullptr || top == nullptr) return;
  switch (DecideTrayClick(static_cast<unsigned>(iconId), static_cast<unsigned>(mouseMessage), MinimizeCommand,
                          IsWindowVisible(top) != FALSE, top == BoardHandle)) {
    case TrayClick::HideBoard:
      ShowWindow(BoardHandle, SW_MINIMIZE);
      break;
    case TrayClick::RestoreBoard:
      ShowWindow(BoardHandle, SW_SHOWNORMAL);
      SetForegroundWindow(top);
      break;
    case TrayClick::ShowMenu:
      ShowTrayMenu();
      break;
    case TrayClick::Nothing:
      break;
  }
}

void HideBoardDialogs() { EnumThreadWindows(GetCurrentThreadId(), HideIfBoardDialog, 0); }

void ShowBoardDialogs() {
  for (int i = 0; i < hiddenCount; ++i) {
    if (IsWindow(hiddenDialogs[i])) ShowWindow(hiddenDialogs[i], SW_SHOWNA);
  }
  hiddenCount = 0;
}
