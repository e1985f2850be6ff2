// The two calls the board makes into the shell, reached through shell32 loaded on first use.
// Imported at link time, shell32 (with the libraries it pulls in) is loaded before the program's
// first line runs, and under Wine that alone delays the splash by a tenth of a second.
#ifndef VARNEL_DESKTOP_SHELL_CALLS_H
#define VARNEL_DESKTOP_SHELL_CALLS_H

#include <windows.h>
#include <shellapi.h>

// Shell_NotifyIconA; FALSE when shell32 or the function cannot be found.
BOOL ShellNotifyIcon(DWORD operation, NOTIFYICONDATAA* data);

// ShellExecuteA; an error value (at most 32) when shell32 or the function cannot be found.
HINSTANCE ShellExecuteFile(HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* folder, int show);

#endif
