// Edit Text Field: one of the board's text fields in a large editor.
#include "dialogs/edit_text_field.h"

// The editor has not been built yet: the command does nothing until it is.
void RunEditTextField(HWND, int) {}
