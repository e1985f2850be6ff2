// The text fields' font.
#include "desktop/field_font.h"

#include "desktop/dpi_scale.h"
#include "desktop/screen_dpi.h"

HFONT FieldFont = nullptr;

namespace {

// The character height at 96 DPI; the dialogs around the fields grow with the DPI, so must it.
constexpr int kFieldFontHeightAt96 = -11;

}  // namespace

HFONT CreateFieldFont() {
  return CreateFontA(ScaleForDpi(kFieldFontHeightAt96, ScreenDpi()), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "Courier New");
}
