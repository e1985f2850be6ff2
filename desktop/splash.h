// The start-up splash: the program's picture in a topmost popup while the board starts, and the
// hand-over that shows the board and closes the splash.
#ifndef VARNEL_DESKTOP_SPLASH_H
#define VARNEL_DESKTOP_SPLASH_H

#include <windows.h>

#include "framework/dialog.h"

extern int SplashShown;    // the splash's first second has passed
extern int SplashClosing;  // the splash has been told to close

constexpr int kSplashWidth = 488;
constexpr int kSplashHeight = 352;
constexpr int kSplashPictureWidth = 480;
constexpr int kSplashPictureHeight = 344;
constexpr UINT_PTR kSplashFirstTimer = 1;
constexpr unsigned kSplashFirstMs = 1000;
constexpr UINT_PTR kSplashSecondTimer = 2;

class SplashWindow : public fw::TableDialog<SplashWindow> {
 public:
  SplashWindow();

 protected:
  BOOL OnInitDialog() override;
  std::span<const MessageRow> MessageTable() const override;

 private:
  INT_PTR OnTimer(WPARAM wParam, LPARAM lParam);
  INT_PTR OnPaint(WPARAM wParam, LPARAM lParam);
  INT_PTR OnClose(WPARAM wParam, LPARAM lParam);
};

extern SplashWindow Splash;

// Shows the splash before the board's window exists, without an owner, so that it appears about
// as soon as any program can show a window. False when it could not be made.
bool ShowSplashEarly();

// Creates the splash over the board, or gives the board the splash shown early as its owner.
// When it cannot be made the start goes on without it: the hand-over then has nothing to wait
// for. Returns false in that case.
bool StartSplash(HWND board);

// Draws bitmap 144 centred in the window; with no device context the window's own is used.
void PaintSplashPicture(HWND window, HDC dc, int width, int height);

// Once, before the splash's first second has passed: waits for that second, waits until
// firstDelay after its end, shows the board if show is 1, waits secondDelay and tells the splash
// to close. Every wait dispatches messages and ends as soon as its time is up.
void SplashHandOver(HWND board, unsigned firstDelay, int show, unsigned secondDelay);

#endif
