// Turning the system's error codes into the cause shown to the user.
#include "projects/file_problem.h"

#include <cerrno>
#include <cstdio>

#include "state/project_page.h"

namespace {

// Windows' numbers, written out here because this file must not include <windows.h>.
constexpr unsigned long kErrorFileNotFound = 2;
constexpr unsigned long kErrorPathNotFound = 3;
constexpr unsigned long kErrorAccessDenied = 5;
constexpr unsigned long kErrorInvalidDrive = 15;
constexpr unsigned long kErrorWriteProtect = 19;
constexpr unsigned long kErrorNotReady = 21;
constexpr unsigned long kErrorSharingViolation = 32;
constexpr unsigned long kErrorLockViolation = 33;
constexpr unsigned long kErrorHandleDiskFull = 39;
constexpr unsigned long kErrorBadNetPath = 53;
constexpr unsigned long kErrorBadNetName = 67;
constexpr unsigned long kErrorDiskFull = 112;
constexpr unsigned long kErrorFilenameTooLong = 206;
constexpr unsigned long kErrorDirectory = 267;
constexpr unsigned long kErrorDiskQuotaExceeded = 1295;

FileProblem ProblemOfWindowsError(unsigned long code) {
  switch (code) {
    case kErrorSharingViolation:
    case kErrorLockViolation:
      return FileProblem::InUse;
    case kErrorWriteProtect:
      return FileProblem::ReadOnly;
    case kErrorHandleDiskFull:
    case kErrorDiskFull:
    case kErrorDiskQuotaExceeded:
      return FileProblem::DiskFull;
    case kErrorAccessDenied:
      return FileProblem::AccessDenied;
    case kErrorFileNotFound:
    case kErrorPathNotFound:
    case kErrorInvalidDrive:
    case kErrorNotReady:
    case kErrorBadNetPath:
    case kErrorBadNetName:
      return FileProblem::NotFound;
    case kErrorFilenameTooLong:
      return FileProblem::PathTooLong;
    case kErrorDirectory:
      return FileProblem::NotAFile;
    default:
      return FileProblem::Other;
  }
}

FileProblem ProblemOfErrno(int value) {
  switch (value) {
    case EBUSY:
    case ETXTBSY:
      return FileProblem::InUse;
    case EROFS:
      return FileProblem::ReadOnly;
    case ENOSPC:
      return FileProblem::DiskFull;
    case EACCES:
    case EPERM:
      return FileProblem::AccessDenied;
    case ENOENT:
    case ENOTDIR:
      return FileProblem::NotFound;
    case ENAMETOOLONG:
      return FileProblem::PathTooLong;
    case EISDIR:
      return FileProblem::NotAFile;
    default:
      return FileProblem::Other;
  }
}

}  // namespace

FileFailure FailureOfSystemError(unsigned long windowsError, int errnoValue) {
  if (windowsError != 0) {
    const FileProblem problem = ProblemOfWindowsError(windowsError);
    if (problem != FileProblem::Other || errnoValue == 0) return {problem, windowsError};
  }
  if (errnoValue != 0) return {ProblemOfErrno(errnoValue), static_cast<unsigned long>(errnoValue)};
  return {FileProblem::Other, 0};
}

FileProblem ProblemOfProjectSize(unsigned long long size) {
  if (size < kProjectPageSize) return FileProblem::TooShort;
  if (size > kProjectPageSize) return FileProblem::TooLong;
  return FileProblem::None;
}

void DescribeFileFailure(const FileFailure& failure, char* out, std::size_t size) {
  if (out == nullptr || size == 0) return;
  const char* text = nullptr;
  switch (failure.problem) {
    case FileProblem::TooShort: text = "The file is too short to be a project."; break;
    case FileProblem::TooLong: text = "The file is too long to be a project."; break;
    case FileProblem::InUse: text = "The file is in use by another program."; break;
    case FileProblem::ReadOnly: text = "The file or its disk is read-only."; break;
    case FileProblem::NotAFile: text = "The name belongs to a folder, not a file."; break;
    case FileProblem::NotFound: text = "The file, its folder or its drive cannot be found."; break;
    case FileProblem::DiskFull: text = "The disk is full."; break;
    case FileProblem::AccessDenied: text = "Access to the file or its folder is denied."; break;
    case FileProblem::PathTooLong: text = "The path is too long."; break;
    case FileProblem::Exists: text = "Another file already has this name."; break;
    case FileProblem::Changed: text = "The file was changed while it was being read."; break;
    case FileProblem::SaveNotUndone: text = "An earlier save of the file was cut short and could not be undone."; break;
    case FileProblem::None:
    case FileProblem::Other: break;
  }
  if (text != nullptr) {
    std::snprintf(out, size, "%s", text);
  } else if (failure.systemError != 0) {
    std::snprintf(out, size, "The system reported error %lu.", failure.systemError);
  } else {
    std::snprintf(out, size, "The system gave no reason.");
  }
}
