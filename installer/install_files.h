// Every change that the installer makes to files goes through these calls. INSTALL.EXE links
// them as plain Win32 calls (install_files.cpp); a twin built only for the tests links versions
// that can make any one of them fail (install_files_faults.cpp), so that the tests can prove that
// no failure loses a file or goes unreported.
#ifndef VARNEL_INSTALLER_INSTALL_FILES_H
#define VARNEL_INSTALLER_INSTALL_FILES_H

#include <windows.h>
#include <objidl.h>

namespace install_files {

bool CreateFolder(const char* path);
// Copies from onto to, replacing a file there.
bool Copy(const char* from, const char* to);
// Renames from to to in one step, replacing a file there, and returns once that is on the disk.
bool Move(const char* from, const char* to);
// Marks the file that handle (opened with DELETE access) reaches for deletion; it goes as the
// handle closes. path only names it.
bool DeleteOpened(HANDLE file, const char* path);
bool RemoveFolder(const char* path);
bool SetAttributes(const char* path, DWORD attributes);
// Writes a shell link through its persist interface.
HRESULT SaveShortcut(IPersistFile* link, const wchar_t* path);

}  // namespace install_files

#endif
