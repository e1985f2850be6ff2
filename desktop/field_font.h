// The fixed-pitch font of the text fields, the project combo box and the larger editors.
#ifndef VARNEL_DESKTOP_FIELD_FONT_H
#define VARNEL_DESKTOP_FIELD_FONT_H

#include <windows.h>

extern HFONT FieldFont;

// Creates Courier New with a character height of 11 pixels at 96 DPI, more on a screen of more
// DPI; null when it cannot be created.
HFONT CreateFieldFont();

#endif
