// The installer's file operations as INSTALL.EXE makes them: the Win32 calls themselves.
#include "installer/install_files.h"

namespace install_files {

bool CreateFolder(const char* path) { return CreateDirectoryA(path, nullptr) != FALSE; }

bool Copy(const char* from, const char* to) { return CopyFileA(from, to, FALSE) != FALSE; }

bool Move(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool DeleteOpened(HANDLE file, const char*) {
  FILE_DISPOSITION_INFO disposition = {TRUE};
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof(disposition)) != FALSE;
}

bool RemoveFolder(const char* path) { return RemoveDirectoryA(path) != FALSE; }

bool SetAttributes(const char* path, DWORD attributes) { return SetFileAttributesA(path, attributes) != FALSE; }

HRESULT SaveShortcut(IPersistFile* link, const wchar_t* path) { return link->Save(path, TRUE); }

}  // namespace install_files
