// Windows build's file operations: msvcrt's rename refuses an existing target, MoveFileEx does not.
#include "projects/file_system.h"

#include <windows.h>
#include <io.h>

#include <cerrno>

#include "desktop/bounded_copy.h"
#include "desktop/waits.h"
#include "projects/replace_retry.h"

namespace {

constexpr int kMostWindowsHeldOff = 16;

BOOL CALLBACK DisableIfEnabled(HWND window, LPARAM heldOff);

// While a save waits, the program keeps painting and answering, but neither the user nor a posted
// command reaches its windows: a click, a close, the tray's Exit or a second copy's hand-over in
// the pause could start another save of the same file, or a consolidation, in the middle of this
// one. Posted commands wait in the queue (PaintingWait); the windows are disabled, so that a click
// meanwhile is not taken for one made after.
class UserInputHeldOff {
 public:
  UserInputHeldOff() = default;
  // Only a replace that has to wait holds the windows off, once for all its pauses.
  void Begin() {
    if (begun_) return;
    begun_ = true;
    focus_ = GetFocus();
    EnumThreadWindows(GetCurrentThreadId(), DisableIfEnabled, reinterpret_cast<LPARAM>(this));
  }
  ~UserInputHeldOff() {
    // The caller reads why the replace failed after this has run.
    const DWORD error = GetLastError();
    for (int i = 0; i < count_; ++i) {
      if (IsWindow(windows_[i])) EnableWindow(windows_[i], TRUE);
    }
    if (focus_ != nullptr && IsWindow(focus_) && GetFocus() == nullptr) SetFocus(focus_);
    SetLastError(error);
  }
  UserInputHeldOff(const UserInputHeldOff&) = delete;
  UserInputHeldOff& operator=(const UserInputHeldOff&) = delete;

  void Disable(HWND window) {
    if (count_ >= kMostWindowsHeldOff || !IsWindowEnabled(window)) return;
    EnableWindow(window, FALSE);
    windows_[count_++] = window;
  }

 private:
  bool begun_ = false;
  HWND focus_ = nullptr;
  HWND windows_[kMostWindowsHeldOff] = {};
  int count_ = 0;
};

BOOL CALLBACK DisableIfEnabled(HWND window, LPARAM heldOff) {
  reinterpret_cast<UserInputHeldOff*>(heldOff)->Disable(window);
  return TRUE;
}

}  // namespace

bool ReplaceFileWith(const char* temporaryPath, const char* targetPath) {
  if (temporaryPath == nullptr || targetPath == nullptr) {
    return false;
  }
  // Another program that has just opened either file (a virus scanner looking at the new one, a
  // backup reading the old one) refuses the move for a second or more: growing pauses of about
  // three seconds in all ride that out. The last error stays the refusal's, for the report.
  unsigned waitedMs = 0;
  UserInputHeldOff heldOff;
  for (int attempt = 1;; ++attempt) {
    // Write-through makes the call return only after the move reached the disk, so a crash right
    // after a reported save cannot bring the old file back.
    if (MoveFileExA(temporaryPath, targetPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) return true;
    const DWORD error = GetLastError();
    const unsigned pauseMs = ReplaceRetryPauseMs(attempt, waitedMs);
    if (pauseMs == 0 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) {
      // A target that another program holds open is refused as "access denied": the user is
      // told that the file is in use, which is what can be done something about.
      const bool held = error == ERROR_ACCESS_DENIED && IsHeldByAnotherProgram(targetPath);
      SetLastError(held ? ERROR_SHARING_VIOLATION : error);
      return false;
    }
    heldOff.Begin();
    PaintingWait(pauseMs);
    waitedMs += pauseMs;
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

bool IsPathFree(const char* path) {
  if (path == nullptr) return false;
  if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
    SetLastError(0);
    return false;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND) return true;
  SetLastError(error);
  return false;
}

bool IsHeldByAnotherProgram(const char* path) {
  if (path == nullptr) return false;
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  const DWORD error = GetLastError();
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

bool PathIsPresent(const char* path) { return path != nullptr && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool IsOwnPlainFile(const char* path) {
  if (path == nullptr) return false;
  // The entry itself is opened: a reparse point is not followed.
  HANDLE file = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info = {};
  const bool plain = GetFileInformationByHandle(file, &info) != 0 &&
                     (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
                     info.nNumberOfLinks == 1;
  // Under Wine a Unix symbolic link shows no reparse point: only the file that the handle really
  // reaches tells it apart. Its name is compared, not its whole path, which rightly differs for a
  // file of a virtualised folder (in the user's VirtualStore) or of a mapped network drive.
  char reached[MAX_PATH + 16] = {};
  const DWORD length = GetFinalPathNameByHandleA(file, reached, sizeof reached, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(file);
  if (!plain || length == 0 || length >= sizeof reached) return false;
  const auto nameOf = [](const char* full) {
    const char* name = full;
    for (const char* scan = full; *scan != '\0'; ++scan) {
      if (*scan == '\\' || *scan == '/') name = scan + 1;
    }
    return name;
  };
  return EqualIgnoringCase(nameOf(reached), nameOf(path));
}
