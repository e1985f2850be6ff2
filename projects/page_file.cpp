// Reading and saving project files.
#include "projects/page_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "projects/file_operations.h"
#include "projects/file_system.h"
#include "projects/save_backup.h"

namespace {

// Windows matches a pattern like "*.vrl" against 8.3 short names as well, so a temporary whose
// extension began with "vrl" (".vrl~", ".vrlx") would show up in the list of projects. ".tmp" is
// taken by another feature. Three characters keep the short name equal to the long one.
constexpr char kTemporaryExtension[] = ".~vr";

void Note(FileFailure* failure, FileProblem problem) {
  if (failure != nullptr) *failure = {problem, 0};
}

// Taken right after the failing call, before anything else can overwrite the system's codes.
void NoteSystemError(FileFailure* failure) {
  if (failure != nullptr) *failure = FailureOfSystemError(LastWindowsError(), errno);
}

enum class Target { Absent, Writable, Held, Refused };

// Opening with "r+b" proves the existing file may be written without truncating it; only a file
// that is not there at all is allowed to fail the open. A privileged process may write a file
// marked read-only, so the mark is looked at by itself.
Target CheckTarget(const char* path, FileFailure* failure) {
  if (IsReadOnlyFile(path)) {
    Note(failure, FileProblem::ReadOnly);
    return Target::Refused;
  }
  ClearSystemErrors();
  std::FILE* file = FileOpen(path, "r+b");
  if (file == nullptr) {
    if (errno == ENOENT) return Target::Absent;
    FileFailure refused;
    NoteSystemError(&refused);
    // A virus scanner that has the old file open for a moment is waited out by the replace.
    if (IsHeldByAnotherProgram(path)) return Target::Held;
    if (failure != nullptr) *failure = refused;
    return Target::Refused;
  }
  // Nothing was written through this stream: a failing close changes nothing on disk.
  FileClose(file);
  return Target::Writable;
}

bool WriteWholePage(const char* path, const ProjectPage& page, FileFailure* failure) {
  ClearSystemErrors();
  std::FILE* file = FileOpen(path, "wb");
  if (file == nullptr) {
    NoteSystemError(failure);
    return false;
  }
  bool written = FileWrite(&page, kProjectPageSize, file) == kProjectPageSize;
  // Buffered data can still fail to reach the file at the flush or the close (disk full).
  written = written && FileFlush(file);
  if (!written) NoteSystemError(failure);
  const bool closed = FileClose(file);
  if (written && !closed) NoteSystemError(failure);
  written = closed && written;
  if (!written) {
    FileRemove(path);
  }
  return written;
}

}  // namespace

int ReadProjectFile(const char* path, ProjectPage& page, FileFailure* failure) {
  ClearPage(page);
  if (path == nullptr) {
    Note(failure, FileProblem::NotFound);
    return 0;
  }
  // A project whose cut-short save could not be undone may be half written.
  if (RestoreInterruptedSave(path) == BackupOutcome::Left) {
    Note(failure, FileProblem::SaveNotUndone);
    return 0;
  }
  // A read-only project is not loaded: the board could never save its edits back.
  if (IsReadOnlyFile(path)) {
    Note(failure, FileProblem::ReadOnly);
    return 0;
  }
  ClearSystemErrors();
  std::FILE* file = FileOpen(path, "r+b");
  if (file == nullptr) {
    NoteSystemError(failure);
    return 0;
  }
  const bool complete = FileRead(&page, kProjectPageSize, file) == kProjectPageSize;
  if (!complete) Note(failure, FileError(file) ? FileProblem::Other : FileProblem::TooShort);
  if (complete) {
    TerminateFields(page);
  }
  FileClose(file);
  return complete ? 1 : 0;
}

int TemporaryPathFor(const char* path, char* out, std::size_t size) {
  return PathWithExtension(path, kTemporaryExtension, out, size);
}

int PathWithExtension(const char* path, const char* extension, char* out, std::size_t size) {
  if (out == nullptr || size == 0) {
    return 0;
  }
  out[0] = '\0';
  if (path == nullptr || extension == nullptr) {
    return 0;
  }
  const char* fileName = path;
  for (const char* scan = path; *scan != '\0'; ++scan) {
    if (*scan == '\\' || *scan == '/') {
      fileName = scan + 1;
    }
  }
  // A dot in a folder name is not an extension, so only the file name is searched.
  const char* dot = std::strrchr(fileName, '.');
  const std::size_t stemLength = dot != nullptr ? static_cast<std::size_t>(dot - path) : std::strlen(path);
  const std::size_t resultLength = stemLength + std::strlen(extension);
  if (resultLength >= size) {
    return 0;
  }
  std::snprintf(out, size, "%.*s%s", static_cast<int>(stemLength), path, extension);
  return 1;
}

SaveResult WriteProjectFileThrough(const char* path, const ProjectPage& page, ReplaceFunction replace,
                                   FileFailure* failure) {
  char temporaryPath[kPathBufferSize];
  if (path == nullptr || replace == nullptr || !TemporaryPathFor(path, temporaryPath, sizeof temporaryPath)) {
    Note(failure, FileProblem::PathTooLong);
    return SaveResult::OpenFailed;
  }
  // A project named like a temporary file would be truncated by writing its own temporary.
  if (EqualIgnoringCase(temporaryPath, path)) {
    Note(failure, FileProblem::Other);
    return SaveResult::OpenFailed;
  }
  // A save cut short while it wrote in place is undone before anything else is written.
  if (RestoreInterruptedSave(path) == BackupOutcome::Left) {
    Note(failure, FileProblem::SaveNotUndone);
    return SaveResult::OpenFailed;
  }
  // rename replaces even a read-only file, so the target's protection is checked first.
  const Target target = CheckTarget(path, failure);
  if (target == Target::Refused) {
    return SaveResult::OpenFailed;
  }
  if (!WriteWholePage(temporaryPath, page, failure)) {
    return SaveResult::WriteFailed;
  }
  ClearSystemErrors();
  if (!replace(temporaryPath, path)) {
    FileFailure refusal;
    NoteSystemError(&refusal);
    if (target == Target::Writable && ReplaceRefusedForGood(refusal) &&
        WritePageInPlace(path, temporaryPath, page, &refusal)) {
      return SaveResult::Ok;
    }
    if (failure != nullptr) *failure = refusal;
    FileRemove(temporaryPath);
    return SaveResult::ReplaceFailed;
  }
  return SaveResult::Ok;
}

SaveResult WriteProjectFileSafely(const char* path, const ProjectPage& page, FileFailure* failure) {
  return WriteProjectFileThrough(path, page, FileReplace, failure);
}
