// Windows build's file operations: msvcrt's rename refuses an existing target, MoveFileEx does not.
#include "projects/file_system.h"

#include <windows.h>
#include <io.h>

#include <cerrno>

namespace {

constexpr int kReplaceAttempts = 5;
constexpr DWORD kReplaceRetryMs = 40;

}  // namespace

bool ReplaceFileWith(const char* temporaryPath, const char* targetPath) {
  if (temporaryPath == nullptr || targetPath == nullptr) {
    return false;
  }
  // Another program that has just opened either file (a virus scanner looking at the new one, a
  // backup reading the old one) refuses the move for a moment: a few short retries ride that out.
  for (int attempt = 1;; ++attempt) {
    // Write-through makes the call return only after the move reached the disk, so a crash right
    // after a reported save cannot bring the old file back.
    if (MoveFileExA(temporaryPath, targetPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) return true;
    const DWORD error = GetLastError();
    if (attempt == kReplaceAttempts || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) return false;
    Sleep(kReplaceRetryMs);
  }
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

unsigned long LastWindowsError() { return GetLastError(); }

void ClearSystemErrors() {
  SetLastError(0);
  errno = 0;
}
