// Native build's file replacement: rename(2) replaces an existing target atomically.
#include "projects/file_replace.h"

#include <cstdio>

bool ReplaceFileWith(const char* temporaryPath, const char* targetPath) {
  if (temporaryPath == nullptr || targetPath == nullptr) {
    return false;
  }
  return std::rename(temporaryPath, targetPath) == 0;
}
