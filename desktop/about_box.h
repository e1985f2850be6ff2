// The About box with the program's version and the system description.
#ifndef VARNEL_DESKTOP_ABOUT_BOX_H
#define VARNEL_DESKTOP_ABOUT_BOX_H

#include <windows.h>

// Runs the About box modally over owner.
void RunAboutBox(HWND owner);

#endif
