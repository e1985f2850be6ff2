// Why a project file could not be saved or loaded, in words a user can act on. The system's error
// codes are mapped here, without <windows.h>, so that the mapping is tested natively.
#ifndef VARNEL_PROJECTS_FILE_PROBLEM_H
#define VARNEL_PROJECTS_FILE_PROBLEM_H

#include <cstddef>

enum class FileProblem {
  None,
  TooShort,
  TooLong,
  InUse,
  ReadOnly,
  NotAFile,
  NotFound,
  DiskFull,
  AccessDenied,
  PathTooLong,
  // Another file already has the name that was to be created.
  Exists,
  // The file no longer holds what was read from it a moment before.
  Changed,
  // A save of the file was cut short and could not be undone yet: it may be half written.
  SaveNotUndone,
  Other,
};

// A failure as the system reported it: the problem and, for Other, the code to show.
struct FileFailure {
  FileProblem problem = FileProblem::None;
  unsigned long systemError = 0;
};

// From a Windows error code (GetLastError) and the C library's errno of the same failure. The
// Windows code says more (a sharing violation and a denied access are one errno), so it is
// asked first; 0 for either means the layer had none.
FileFailure FailureOfSystemError(unsigned long windowsError, int errnoValue);

// What a file of this many bytes is to the board: None for exactly one project's size.
FileProblem ProblemOfProjectSize(unsigned long long size);

// Room for the longest cause DescribeFileFailure writes, with its terminator.
constexpr std::size_t kFileFailureTextSize = 96;

// The one-line cause written under a message that names the file, ending with a full stop.
void DescribeFileFailure(const FileFailure& failure, char* out, std::size_t size);

#endif
