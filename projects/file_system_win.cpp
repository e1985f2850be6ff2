// Windows build's file operations: msvcrt's rename refuses an existing target, MoveFileEx does not.
#include "projects/file_system.h"

#include <windows.h>
#include <io.h>

bool ReplaceFileWith(const char* temporaryPath, const char* targetPath) {
  if (temporaryPath == nullptr || targetPath == nullptr) {
    return false;
  }
  // Write-through makes the call return only after the move reached the disk, so a crash right
  // after a reported save cannot bring the old file back.
  return MoveFileExA(temporaryPath, targetPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FlushFileToDisk(std::FILE* file) {
  if (file == nullptr) return false;
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

bool IsReadOnlyFile(const char* path) {
  if (path == nullptr) {
    return false;
  }
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
         (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}
