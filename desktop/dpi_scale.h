// Sizes given in pixels at 96 DPI, scaled to the screen's DPI: the board declares itself DPI
// aware, so Windows no longer stretches it and whatever is set in pixels must grow by itself.
#ifndef VARNEL_DESKTOP_DPI_SCALE_H
#define VARNEL_DESKTOP_DPI_SCALE_H

constexpr int kBaseDpi = 96;

// pixelsAt96 * dpi / 96, rounded half away from zero as MulDiv does; a DPI that no screen has
// (zero, negative, absurdly large) leaves the size as it is at 96.
int ScaleForDpi(int pixelsAt96, int dpi);

#endif
