// Writing a project in place behind a backup, and putting the old page back from a backup that a
// cut-short save left.
#include "projects/save_backup.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>

#include "desktop/bounded_copy.h"
#include "projects/file_operations.h"
#include "projects/file_system.h"
#include "projects/page_file.h"

namespace {

// Three characters, as the temporary's, so that the 8.3 short name keeps it out of "*.vrl".
constexpr char kBackupExtension[] = ".~vb";
constexpr char kMarker[] = "\nVarnel save backup 1\n";
// Marker, a file name and the checksum line fit well within this; a longer tail is not ours.
constexpr std::size_t kLongestTrailer = 512;

std::uint64_t Fnv1a(const unsigned char* bytes, std::size_t size, std::uint64_t hash) {
  for (std::size_t i = 0; i < size; ++i) {
    hash ^= bytes[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

const char* FileNameOf(const char* path) {
  const char* name = path;
  for (const char* scan = path; *scan != '\0'; ++scan) {
    if (*scan == '\\' || *scan == '/') name = scan + 1;
  }
  return name;
}

void NoteSystemError(FileFailure* failure) {
  if (failure != nullptr) *failure = FailureOfSystemError(LastWindowsError(), errno);
}

// The file must hold exactly one page: a longer one would keep its tail after an in-place write.
bool ReadExactlyOnePage(const char* path, ProjectPage& page) {
  std::FILE* file = FileOpen(path, "rb");
  if (file == nullptr) return false;
  char beyond = 0;
  const bool whole = FileRead(&page, kProjectPageSize, file) == kProjectPageSize && FileRead(&beyond, 1, file) == 0 &&
                     !FileError(file);
  // Nothing was written through this stream.
  FileClose(file);
  return whole;
}

bool WriteFlushed(const char* path, const char* mode, const ProjectPage& page, const std::string& trailer,
                  FileFailure* failure) {
  ClearSystemErrors();
  std::FILE* file = FileOpen(path, mode);
  if (file == nullptr) {
    NoteSystemError(failure);
    return false;
  }
  bool written = FileWrite(&page, kProjectPageSize, file) == kProjectPageSize;
  written = written && (trailer.empty() || FileWrite(trailer.data(), trailer.size(), file) == trailer.size());
  written = written && FileFlush(file);
  if (!written) NoteSystemError(failure);
  const bool closed = FileClose(file);
  if (written && !closed) NoteSystemError(failure);
  return written && closed;
}

bool RemoveNoted(const char* path, FileFailure* failure) {
  ClearSystemErrors();
  if (FileRemove(path)) return true;
  NoteSystemError(failure);
  return false;
}

enum class Proof { Unreadable, Incomplete, Complete };

// Reads a backup; Complete when it is whole and ours, with the project's file name in name.
Proof ReadBackup(const char* backupPath, ProjectPage& page, std::string& name) {
  std::FILE* file = FileOpen(backupPath, "rb");
  if (file == nullptr) return Proof::Unreadable;
  char tail[kLongestTrailer];
  const bool paged = FileRead(&page, kProjectPageSize, file) == kProjectPageSize;
  const std::size_t tailSize = paged ? FileRead(tail, sizeof tail, file) : 0;
  const bool failed = FileError(file);
  FileClose(file);
  if (failed) return Proof::Unreadable;
  const std::string trailer(tail, tailSize);
  const std::size_t markerSize = sizeof kMarker - 1;
  if (!paged || tailSize == sizeof tail || trailer.compare(0, markerSize, kMarker) != 0) return Proof::Incomplete;
  const std::size_t nameEnd = trailer.find('\n', markerSize);
  if (nameEnd == std::string::npos) return Proof::Incomplete;
  name = trailer.substr(markerSize, nameEnd - markerSize);
  // A name that leads out of the backup's folder is never followed.
  if (name.empty() || name.find_first_of("\\/:") != std::string::npos) return Proof::Incomplete;
  return trailer == BackupTrailer(page, name.c_str()) ? Proof::Complete : Proof::Incomplete;
}

// Removes a leftover of ours beside a project; one that is gone already, or that is no plain file
// of ours (a link), is left as it is.
bool RemoveOwnLeftover(const char* path) {
  if (!PathIsPresent(path) || !IsOwnPlainFile(path)) return true;
  return FileRemove(path);
}

// projectPath: the project about to be read or saved, or null for a backup found in a listing.
BackupOutcome Resolve(const char* backupPath, const char* projectPath, char* restoredPath, std::size_t size) {
  if (restoredPath != nullptr && size > 0) restoredPath[0] = '\0';
  if (backupPath == nullptr || !PathIsPresent(backupPath)) return BackupOutcome::None;
  auto page = std::make_unique<ProjectPage>();
  std::string name;
  const Proof proof = ReadBackup(backupPath, *page, name);
  if (proof == Proof::Unreadable) return BackupOutcome::Left;
  if (proof == Proof::Incomplete) {
    // Cut short before it was whole, so the project was never written: the backup is all there is.
    // One that cannot be removed (a link, a file held open) still says nothing about the project.
    return IsOwnPlainFile(backupPath) && FileRemove(backupPath) ? BackupOutcome::Removed : BackupOutcome::Foreign;
  }
  char project[kPathBufferSize];
  const std::size_t folderLength = static_cast<std::size_t>(FileNameOf(backupPath) - backupPath);
  if (std::snprintf(project, sizeof project, "%.*s%s", static_cast<int>(folderLength), backupPath, name.c_str()) >=
      static_cast<int>(sizeof project)) {
    return BackupOutcome::Foreign;
  }
  // Only the project whose own backup this is: "a.vrl" and "a.txt" would share "a.~vb".
  char expected[kPathBufferSize];
  if (!BackupPathFor(project, expected, sizeof expected) || !EqualIgnoringCase(expected, backupPath)) {
    return BackupOutcome::Foreign;
  }
  if (projectPath != nullptr && !EqualIgnoringCase(FileNameOf(projectPath), name.c_str())) {
    return BackupOutcome::Foreign;
  }
  const char* target = projectPath != nullptr ? projectPath : project;
  // A project removed since then comes back: the backup holds the user's texts.
  errno = 0;
  std::FILE* probe = FileOpen(target, "rb");
  const char* mode = probe == nullptr && errno == ENOENT ? "wb" : "r+b";
  if (probe != nullptr) FileClose(probe);
  if (!WriteFlushed(target, mode, *page, "", nullptr)) return BackupOutcome::Left;
  // The cut-short save's temporary goes with it; the backup goes last, so that a failure on the way
  // leaves it to be resolved again.
  char temporary[kPathBufferSize];
  if (!TemporaryPathFor(target, temporary, sizeof temporary) || !RemoveOwnLeftover(temporary)) {
    return BackupOutcome::Left;
  }
  if (!IsOwnPlainFile(backupPath) || !FileRemove(backupPath)) return BackupOutcome::Left;
  if (restoredPath != nullptr) CopyBounded(restoredPath, target, size);
  return BackupOutcome::Restored;
}

}  // namespace

bool ReplaceRefusedForGood(const FileFailure& refusal) { return refusal.problem == FileProblem::AccessDenied; }

int BackupPathFor(const char* path, char* out, std::size_t size) {
  return PathWithExtension(path, kBackupExtension, out, size);
}

std::string BackupTrailer(const ProjectPage& page, const char* projectFileName) {
  const std::string name = projectFileName != nullptr ? projectFileName : "";
  std::uint64_t hash = Fnv1a(reinterpret_cast<const unsigned char*>(&page), kProjectPageSize, 14695981039346656037ull);
  hash = Fnv1a(reinterpret_cast<const unsigned char*>(name.data()), name.size(), hash);
  char sum[24];
  std::snprintf(sum, sizeof sum, "%016" PRIx64, hash);
  return kMarker + name + "\n" + sum + "\n";
}

bool WritePageInPlace(const char* path, const char* temporaryPath, const ProjectPage& page, FileFailure* failure) {
  char backup[kPathBufferSize];
  // The backup of another project of the same stem ("a.txt" beside "a.vrl") is not written over.
  if (path == nullptr || temporaryPath == nullptr || !BackupPathFor(path, backup, sizeof backup) ||
      PathIsPresent(backup)) {
    return false;
  }
  auto old = std::make_unique<ProjectPage>();
  if (!ReadExactlyOnePage(path, *old)) return false;
  if (!WriteFlushed(backup, "wb", *old, BackupTrailer(*old, FileNameOf(path)), failure)) {
    FileRemove(backup);
    return false;
  }
  // From here on the backup proves complete: a failure, or a kill, ends with the old page put back.
  // The backup goes last, once nothing else is left to do.
  if (!WriteFlushed(path, "r+b", page, "", failure) || !RemoveNoted(temporaryPath, failure) ||
      !RemoveNoted(backup, failure)) {
    Resolve(backup, path, nullptr, 0);
    return false;
  }
  return true;
}

BackupOutcome RestoreInterruptedSave(const char* path) {
  char backup[kPathBufferSize];
  if (path == nullptr || !BackupPathFor(path, backup, sizeof backup)) return BackupOutcome::None;
  // A file named like its own backup is a project, not a leftover to be resolved.
  if (EqualIgnoringCase(backup, path)) return BackupOutcome::None;
  return Resolve(backup, path, nullptr, 0);
}

BackupOutcome ResolveSaveBackup(const char* backupPath, char* projectPath, std::size_t size) {
  return Resolve(backupPath, nullptr, projectPath, size);
}
