// The one conversion from the board's Unicode controls to the project record's ANSI code page,
// and the question asked before a save that would change what the user sees.
#ifndef VARNEL_DESKTOP_RECORD_TEXT_H
#define VARNEL_DESKTOP_RECORD_TEXT_H

#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "desktop/record_losses.h"

// Writes text (length characters) into buffer as at most size - 1 bytes and a NUL, in the system's
// code page and never with look-alike substitutes: a character the code page lacks becomes the
// default character, and a text too long for the buffer is cut after a whole character.
FieldFit ToRecordText(const wchar_t* text, int length, char* buffer, int size);
// How text would be stored in a field of size bytes, read back as a control would show it.
std::wstring AsRecordWouldStore(const std::wstring& text, int size, FieldFit* fit);

std::string Utf8Of(const std::wstring& text);

// The names on the board's 33 copy buttons, as shown.
std::vector<std::string> BoardButtonNames();

// Nothing to ask when every slot is written unchanged; otherwise the warning naming the affected
// buttons. True when the save may go ahead: nothing changes, the user chose Yes, or nobody is
// there to answer because the session is ending.
bool UserAcceptsRecordLosses(HWND owner, std::span<const SlotFit> fits);
// The same with the names that the slots are about to get (UTF-8, one per slot).
bool UserAcceptsRecordLosses(HWND owner, std::span<const SlotFit> fits, std::span<const std::string> names);

#endif
