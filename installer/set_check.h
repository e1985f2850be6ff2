// The check of the installation set against the record that the build wrote into INSTALL.EXE.
#ifndef VARNEL_INSTALLER_SET_CHECK_H
#define VARNEL_INSTALLER_SET_CHECK_H

#include <windows.h>

// Where the set is: beside INSTALL.EXE when the program file stands there, else the working
// folder. folder receives at most size bytes, without a trailing backslash.
void FindSetFolder(char* folder, int size);

// Checks every recorded file of the set in folder, whole, before anything is copied: a missing
// file is named with "Source File: ... is missing!", a cut or damaged one with its own message.
// True when the set is as it was built; otherwise the message was shown, owned by owner.
bool CheckInstallSet(HWND owner, const char* folder);

#endif
