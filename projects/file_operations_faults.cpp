// The fault-injecting twin of projects/file_operations.cpp, linked in its place only into test
// builds (the native file-fault tests and the board's twin QUILLOW_FAULTS.EXE, never shipped).
// While the plan is armed every operation is counted, and the one the plan names fails the way
// the system's own would: nothing done, the failure reported.
#include "projects/file_operations.h"

#include <cerrno>

#include "projects/fault_plan.h"
#include "projects/file_system.h"

namespace {

// The stream whose read was made to fail, so that FileError answers as ferror would.
std::FILE* failedRead = nullptr;

// Counts the operation; true when it is the one to fail.
bool FailsNow() {
  FaultPlan* plan = ActiveFaultPlan();
  if (plan == nullptr || plan->armed == 0) return false;
  if (plan->operations++ != plan->failAt) return false;
  ++plan->injected;
  return true;
}

// Counts the write as the short one when the plan asks for it and none was made yet.
bool ShortNow() {
  FaultPlan* plan = ActiveFaultPlan();
  if (plan == nullptr || plan->armed == 0 || plan->shortWrite != 1) return false;
  ++plan->operations;
  ++plan->injected;
  plan->shortWrite = 2;
  return true;
}

}  // namespace

std::FILE* FileOpen(const char* path, const char* mode) {
  if (FailsNow()) {
    errno = EIO;
    return nullptr;
  }
  return std::fopen(path, mode);
}

std::size_t FileRead(void* buffer, std::size_t size, std::FILE* file) {
  if (FailsNow()) {
    failedRead = file;
    return 0;
  }
  return std::fread(buffer, 1, size, file);
}

std::size_t FileWrite(const void* data, std::size_t size, std::FILE* file) {
  if (ShortNow()) return std::fwrite(data, 1, size / 2, file);
  if (FailsNow()) return 0;
  return std::fwrite(data, 1, size, file);
}

bool FileFlush(std::FILE* file) {
  if (FailsNow()) return false;
  return std::fflush(file) == 0 && FlushFileToDisk(file);
}

bool FileClose(std::FILE* file) {
  // A close that fails still releases the stream.
  const bool fails = FailsNow();
  if (file == failedRead) failedRead = nullptr;
  return std::fclose(file) == 0 && !fails;
}

bool FileSeek(std::FILE* file, long offset) {
  if (FailsNow()) return false;
  return std::fseek(file, offset, SEEK_SET) == 0;
}

bool FileError(std::FILE* file) { return std::ferror(file) != 0 || file == failedRead; }

bool FileReplace(const char* temporaryPath, const char* targetPath) {
  if (FailsNow()) {
    errno = EIO;
    return false;
  }
  const FaultPlan* plan = ActiveFaultPlan();
  if (plan != nullptr && plan->refuseReplaces == 1) {
    // The caller cleared the system's codes before the call: errno alone gives the cause.
    errno = EACCES;
    return false;
  }
  return ReplaceFileWith(temporaryPath, targetPath);
}

bool FileRemove(const char* path) {
  if (FailsNow()) {
    errno = EIO;
    return false;
  }
  return std::remove(path) == 0;
}
