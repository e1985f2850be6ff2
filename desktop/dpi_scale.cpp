// Scaling of pixel sizes to the screen's DPI.
#include "desktop/dpi_scale.h"

namespace {

// 20 times 96: beyond any screen Windows supports (500 % is 480).
constexpr int kMaxDpi = 1920;

}  // namespace

int ScaleForDpi(int pixelsAt96, int dpi) {
  if (dpi <= 0 || dpi > kMaxDpi) dpi = kBaseDpi;
  const long long product = static_cast<long long>(pixelsAt96) * dpi;
  const long long half = kBaseDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi));
}
