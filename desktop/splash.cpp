// The start-up splash window and its hand-over to the board.
#include "desktop/splash.h"

#include <algorithm>

#include "desktop/waits.h"
#include "resources/resource.h"

int SplashShown = 0;
int SplashClosing = 0;
SplashWindow Splash;

namespace {

// Light grey, palette-relative, so that it stays grey on a 256-colour display.
constexpr COLORREF kSplashBackground = 0x02C2C2C2;

void FillClient(HWND window, HDC dc, HBRUSH brush) {
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, brush);
}

// Waits at most milliseconds for a message, then dispatches what is waiting. Unlike a sleep of
// the same length it ends as soon as a message arrives, the splash's timer among them.
void WaitForMessagesAndDispatch(DWORD milliseconds) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
  DispatchPendingMessages();
}

// The clock reading when the splash's first timer was started.
std::uint32_t splashTimerStart = 0;

// The longest single wait of the hand-over: a change of the clock is noticed within it.
constexpr std::uint32_t kLongestWaitMs = 20;

// The hand-over's delays end at their deadline rather than up to a tenth of the delay after it
// (as PumpDelay's steps would): the board appears when the splash has had its time, no later.
// A change of the clock ends the delay, as it ends every wait.
void DelayDispatchingUntil(std::uint32_t deadline) {
  for (;;) {
    const std::uint32_t reading = ClockReading();
    if (DeadlineReached(reading, deadline)) return;
    WaitForMessagesAndDispatch(std::min(deadline - reading, kLongestWaitMs));
    if (TimeChangeSkips > 0) {
      --TimeChangeSkips;
      return;
    }
  }
}

}  // namespace

SplashWindow::SplashWindow() : TableDialog(IDD_SPLASH) {}

std::span<const SplashWindow::MessageRow> SplashWindow::MessageTable() const {
  static const MessageRow rows[] = {
      {WM_TIMER, &SplashWindow::OnTimer},
      {WM_PAINT, &SplashWindow::OnPaint},
      {WM_CLOSE, &SplashWindow::OnClose},
  };
  return rows;
}

BOOL SplashWindow::OnInitDialog() {
  HWND window = Handle();
  // A splash shown before its board exists has no owner yet, and an unowned popup would get a
  // button on the taskbar.
  if (GetWindow(window, GW_OWNER) == nullptr) {
    SetWindowLongPtrA(window, GWL_EXSTYLE, GetWindowLongPtrA(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  }
  SetWindowPos(window, nullptr, 0, 0, kSplashWidth, kSplashHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  fw::CenterOnDesktop(window);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
  // The first second counts from the moment the splash appears, not from when its picture has
  // been drawn.
  splashTimerStart = ClockReading();
  if (SetTimer(window, kSplashFirstTimer, kSplashFirstMs, nullptr) == 0) {
    SplashShown = 1;
    SplashClosing = 1;
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  SetFocus(window);
  return FALSE;
}

INT_PTR SplashWindow::OnTimer(WPARAM wParam, LPARAM) {
  HWND window = Handle();
  if (wParam == kSplashFirstTimer && SplashShown == 0) {
    SplashShown = 1;
    KillTimer(window, kSplashFirstTimer);
    if (SetTimer(window, kSplashSecondTimer, 3000, nullptr) == 0) {
      SplashClosing = 1;
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  } else if (wParam == kSplashSecondTimer && SplashClosing == 0) {
    SplashClosing = 1;
    KillTimer(window, kSplashSecondTimer);
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return FALSE;
}

INT_PTR SplashWindow::OnPaint(WPARAM, LPARAM) {
  HWND window = Handle();
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  HBRUSH background = CreateSolidBrush(kSplashBackground);
  FillClient(window, dc, background);
  DeleteObject(background);
  PaintSplashPicture(window, dc, kSplashPictureWidth, kSplashPictureHeight);
  EndPaint(window, &paint);
  return TRUE;
}

INT_PTR SplashWindow::OnClose(WPARAM, LPARAM) {
  HWND window = Handle();
  HDC dc = GetDC(window);
  if (dc != nullptr) {
    FillClient(window, dc, GetSysColorBrush(COLOR_BTNFACE));
    ReleaseDC(window, dc);
  }
  return FALSE;
}

void PaintSplashPicture(HWND window, HDC dc, int width, int height) {
  HDC target = dc;
  if (target == nullptr) target = GetDC(window);
  if (target == nullptr) return;

  HDC memory = CreateCompatibleDC(target);
  HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH));
  if (memory != nullptr && picture != nullptr) {
    HGDIOBJ previous = SelectObject(memory, picture);
    RECT client;
    GetClientRect(window, &client);
    const int x = client.right / 2 - width / 2;
    const int y = client.bottom / 2 - height / 2;
    BitBlt(target, x, y, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
  }
  if (picture != nullptr) DeleteObject(picture);
  if (memory != nullptr) DeleteDC(memory);
  if (dc == nullptr) ReleaseDC(window, target);
}

bool ShowSplashEarly() { return Splash.CreateModeless(nullptr); }

bool StartSplash(HWND board) {
  if (Splash.Handle() != nullptr) {
    // Shown before the board existed: as its owner the board takes it along when it is destroyed.
    SetWindowLongPtrA(Splash.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(board));
    return true;
  }
  if (Splash.CreateModeless(board)) return true;
  SplashShown = 1;
  SplashClosing = 1;
  return false;
}

void SplashHandOver(HWND board, unsigned firstDelay, int show, unsigned secondDelay) {
  if (SplashShown != 0) return;
  // Only the splash's own timer ends this poll; a splash that is gone has no timer left.
  while (SplashShown == 0 && Splash.Handle() != nullptr) {
    WaitForMessagesAndDispatch(kLongestWaitMs);
    if (TimeChangeSkips > 0) {
      --TimeChangeSkips;
      break;
    }
  }
  // The first delay counts from the end of the splash's first second, not from the moment a
  // start-up busy listing thousands of projects got round to its timer.
  DelayDispatchingUntil(splashTimerStart + kSplashFirstMs + firstDelay);
  if (show == 1) ShowWindow(board, SW_SHOWNORMAL);
  DelayDispatchingUntil(ClockReading() + secondDelay);
  if (Splash.Handle() != nullptr) PostMessageA(Splash.Handle(), WM_TIMER, kSplashSecondTimer, 0);
}
