// The desktop shortcut and the program group, written and removed through the shell link object.
#ifndef VARNEL_INSTALLER_SHELL_ENTRIES_H
#define VARNEL_INSTALLER_SHELL_ENTRIES_H

#include <windows.h>

// kind is CSIDL_DESKTOP or CSIDL_PROGRAMS. path receives at most MAX_PATH bytes. 1 or 0.
int ResolveShellFolder(HWND owner, int kind, char* path);

int CreateShellEntry(HWND owner, int kind, const char* target, const char* arguments, const char* name,
                     const char* workingFolder, const char* iconFile, int group);

// Removes only what is there: a missing entry gives 0 without touching anything.
int RemoveShellEntry(HWND owner, int kind, const char* name, int group);

// Where the entry lives: the group folder, or the shortcut file with ".lnk". path receives at most
// MAX_PATH bytes. 1 or 0.
int ShellEntryPath(HWND owner, int kind, const char* name, int group, char* path);
bool ShellEntryExists(HWND owner, int kind, const char* name, int group);

constexpr const char* kGroupName = "Varnel";

#endif
