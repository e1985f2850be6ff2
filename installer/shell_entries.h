// The desktop shortcut and the program group, written and removed through the shell link object.
#ifndef VARNEL_INSTALLER_SHELL_ENTRIES_H
#define VARNEL_INSTALLER_SHELL_ENTRIES_H

#include <windows.h>

#include "installer/contained_delete.h"

// kind is CSIDL_COMMON_DESKTOPDIRECTORY or CSIDL_COMMON_PROGRAMS, where the entries go for every
// user, or CSIDL_DESKTOP or CSIDL_PROGRAMS, where earlier versions put them. path receives at most MAX_PATH bytes. 1 or 0.
int ResolveShellFolder(HWND owner, int kind, char* path);

int CreateShellEntry(HWND owner, int kind, const char* target, const char* arguments, const char* name,
                     const char* workingFolder, const char* iconFile, int group);

// Removes only what is there: a missing entry gives 0 without touching anything. Nothing is deleted
// through a link: an entry that reaches outside its folder stays. The group gives 1 when every
// file of its own went and the folder too, or only what is not ours (a subfolder, a link that
// leads elsewhere) keeps it. What stays is added to report, if given.
int RemoveShellEntry(HWND owner, int kind, const char* name, int group, RemovalReport* report = nullptr);

// Where the entry lives: the group folder, or the shortcut file with ".lnk". path receives at most
// MAX_PATH bytes. 1 or 0.
int ShellEntryPath(HWND owner, int kind, const char* name, int group, char* path);
bool ShellEntryExists(HWND owner, int kind, const char* name, int group);

constexpr const char* kGroupName = "Varnel";

#endif
