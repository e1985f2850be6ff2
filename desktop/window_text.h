// Reading a control's text into a fixed buffer.
#ifndef VARNEL_DESKTOP_WINDOW_TEXT_H
#define VARNEL_DESKTOP_WINDOW_TEXT_H

#include <windows.h>

#include <cstddef>

// Reads the window's whole text and keeps as much as fits in size bytes with its NUL, cut at a
// character boundary of the ANSI code page: a fixed buffer handed to the system would leave that
// cut to it, which may split a character of two bytes. Returns the length kept.
std::size_t ReadWindowText(HWND window, char* buffer, std::size_t size);

#endif
