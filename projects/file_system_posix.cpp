// Native build's file operations: rename(2) replaces an existing target atomically.
#include "projects/file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

bool ReplaceFileWith(const char* temporaryPath, const char* targetPath) {
  if (temporaryPath == nullptr || targetPath == nullptr) {
    return false;
  }
  return std::rename(temporaryPath, targetPath) == 0;
}

bool FlushFileToDisk(std::FILE* file) { return file != nullptr && fsync(fileno(file)) == 0; }

bool IsReadOnlyFile(const char* path) {
  struct stat status;
  if (path == nullptr || stat(path, &status) != 0 || !S_ISREG(status.st_mode)) {
    return false;
  }
  return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

unsigned long LastWindowsError() { return 0; }

void ClearSystemErrors() { errno = 0; }

bool PathIsPresent(const char* path) {
  struct stat status;
  return path != nullptr && lstat(path, &status) == 0;
}

bool IsOwnPlainFile(const char* path) {
  struct stat status;
  return path != nullptr && lstat(path, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1;
}

// POSIX has no sharing modes: an open that fails was refused for good.
bool IsHeldByAnotherProgram(const char*) { return false; }

bool IsPathFree(const char* path) {
  struct stat status;
  if (path == nullptr) return false;
  if (lstat(path, &status) == 0) {
    errno = 0;
    return false;
  }
  return errno == ENOENT;
}
