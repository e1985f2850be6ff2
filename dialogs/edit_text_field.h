// Edit Text Field: one of the board's text fields in a large editor.
#ifndef VARNEL_DIALOGS_EDIT_TEXT_FIELD_H
#define VARNEL_DIALOGS_EDIT_TEXT_FIELD_H

#include <windows.h>

// Runs the editor modally over owner on the board's text field with this control id; OK writes the
// edited text (at most 10239 characters) back into that field.
void RunEditTextField(HWND owner, int field);

#endif
