// The screen's DPI as these DPI-aware programs see it (the board and the installer).
#ifndef VARNEL_DESKTOP_SCREEN_DPI_H
#define VARNEL_DESKTOP_SCREEN_DPI_H

// LOGPIXELSY of the screen; 96 when the screen cannot be asked.
int ScreenDpi();

#endif
