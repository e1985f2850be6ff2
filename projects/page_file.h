// Reading a project file into a page and saving a page so that no failure can destroy the file.
#ifndef VARNEL_PROJECTS_PAGE_FILE_H
#define VARNEL_PROJECTS_PAGE_FILE_H

#include <cstddef>

#include "projects/file_problem.h"
#include "state/project_page.h"

// A backup that a cut-short save left beside the file is resolved first (projects/save_backup.h).
// Returns 1 when the whole page was read. A file that could not be saved back (marked read-only,
// or not writable) does not load. On 0 the page holds whatever bytes were read followed by
// zeros. A longer file loads its first kProjectPageSize bytes.
// failure, when given, says why a file did not load.
int ReadProjectFile(const char* path, ProjectPage& page, FileFailure* failure = nullptr);

enum class SaveResult { Ok, OpenFailed, WriteFailed, ReplaceFailed };

// Saves through a temporary file in the same folder that replaces the target only once it is
// complete, so every failure leaves the previous file exactly as it was. Where the system refuses
// the replace for good, an existing, writable project is written in place behind a complete backup
// (projects/save_backup.h); a failure there puts the old page back.
//   OpenFailed:    the target exists but cannot be written (marked read-only, a folder), or the temporary
//                  path would not fit kPathBufferSize; nothing on disk was touched.
//   WriteFailed:   the temporary file could not be created or completely written.
//   ReplaceFailed: the finished temporary file could not take the target's place, nor could the
//                  page be written in place.
// failure, when given, receives the cause of any result but Ok.
SaveResult WriteProjectFileSafely(const char* path, const ProjectPage& page, FileFailure* failure = nullptr);

// WriteProjectFileSafely with the final move supplied by the caller, so tests can make it fail.
using ReplaceFunction = bool (*)(const char* temporaryPath, const char* targetPath);
SaveResult WriteProjectFileThrough(const char* path, const ProjectPage& page, ReplaceFunction replace,
                                   FileFailure* failure = nullptr);

// The temporary file used while saving path: path with the extension of its file name replaced by
// ".~vr", or ".~vr" appended when the file name has none. Returns 1, or 0 (out empty) when the
// result does not fit size.
int TemporaryPathFor(const char* path, char* out, std::size_t size);

// path with the extension of its file name replaced by extension (or extension appended when the
// file name has none). Returns 1, or 0 (out empty) when the result does not fit size.
int PathWithExtension(const char* path, const char* extension, char* out, std::size_t size);

#endif
