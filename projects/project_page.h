// A project: the board's captions and texts of every slot, and how it is read from and saved to disk.
#ifndef VARNEL_PROJECTS_PROJECT_PAGE_H
#define VARNEL_PROJECTS_PROJECT_PAGE_H

#include <cstddef>

#include "board/board_layout.h"

constexpr std::size_t kButtonNameSize = 32;
constexpr std::size_t kTextFieldSize = 10240;
constexpr std::size_t kProjectPageSize = 338976;
constexpr std::size_t kPathBufferSize = 256;

// The file is this record byte for byte: all captions first, then all texts.
struct ProjectPage {
  char names[kSlotCount][kButtonNameSize];
  char texts[kSlotCount][kTextFieldSize];
};
static_assert(sizeof(ProjectPage) == kProjectPageSize, "project files hold exactly one page");
static_assert(offsetof(ProjectPage, names) == 0, "captions start the file");
static_assert(offsetof(ProjectPage, texts) == kSlotCount * kButtonNameSize, "texts follow the captions");
static_assert(offsetof(ProjectPage, texts) == 1056, "texts start at byte 1056");

void ClearPage(ProjectPage& page);

// A file the program did not write may hold a field without a NUL; after this every caption is at
// most kButtonNameSize - 1 characters and every text at most kTextFieldSize - 1.
void TerminateFields(ProjectPage& page);

// Returns 1 when the whole page was read. The file is opened for reading and writing, so a file
// that could not be saved back (read-only) does not load. On 0 the page holds whatever bytes were
// read followed by zeros. A longer file loads its first kProjectPageSize bytes.
int ReadProjectFile(const char* path, ProjectPage& page);

enum class SaveResult { Ok, OpenFailed, WriteFailed, ReplaceFailed };

// Saves through a temporary file in the same folder that replaces the target only once it is
// complete, so every failure leaves the previous file exactly as it was.
//   OpenFailed:    the target exists but cannot be written (read-only, a folder), or the temporary
//                  path would not fit kPathBufferSize; nothing on disk was touched.
//   WriteFailed:   the temporary file could not be created or completely written.
//   ReplaceFailed: the finished temporary file could not take the target's place.
SaveResult WriteProjectFileSafely(const char* path, const ProjectPage& page);

// WriteProjectFileSafely with the final move supplied by the caller, so tests can make it fail.
using ReplaceFunction = bool (*)(const char* temporaryPath, const char* targetPath);
SaveResult WriteProjectFileThrough(const char* path, const ProjectPage& page, ReplaceFunction replace);

// The temporary file used while saving path: path with the extension of its file name replaced by
// ".~vr", or ".~vr" appended when the file name has none. Returns 1, or 0 (out empty) when the
// result does not fit size.
int TemporaryPathFor(const char* path, char* out, std::size_t size);

#endif
