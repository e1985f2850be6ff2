// The screen's DPI, asked once for each thing that is sized by it.
#include "desktop/screen_dpi.h"

#include <windows.h>

#include "desktop/dpi_scale.h"

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kBaseDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}
