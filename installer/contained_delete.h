// Deletion that never reaches outside the folder being cleaned. Under Wine a Unix symbolic link to
// a file looks like a plain file, and deleting it by name deletes its target; on Windows a name can
// be a junction or a symbolic link. So each entry is opened without following a reparse point and
// deleted through that very handle, and only when the place the handle really reaches is the entry
// that the folder's listing named.
#ifndef VARNEL_INSTALLER_CONTAINED_DELETE_H
#define VARNEL_INSTALLER_CONTAINED_DELETE_H

#include <windows.h>

#include <cstddef>

enum class EntryCheck { kInside, kElsewhere, kGone, kUnreadable };

// The real place of a folder as a handle reaches it ("C:\..." without the "\\?\" prefix), for
// comparing what lies below it. False when the folder cannot be opened or has no such name.
bool RealFolderPath(const char* folder, char* realPath, std::size_t size);

// Whether path, not followed if it is a link, is the plain file or folder realParent\name.
EntryCheck CheckEntry(const char* path, const char* realParent, const char* name);

enum class DeleteOutcome { kDeleted, kElsewhere, kFailed };

// Deletes the file at path when it is realParent\name and no link; leaves anything else.
DeleteOutcome DeleteContainedFile(const char* path, const char* realParent, const char* name);

// The same for folder\name, with the folder's real place looked up here; a missing file counts as
// deleted.
DeleteOutcome DeleteFileInFolder(const char* folder, const char* name);

// The same for a full path, split at its last backslash.
DeleteOutcome DeleteFileAt(const char* path);

// Paths kept by a removal, for its report: one per line, and a count of those that did not fit.
class PathList {
 public:
  void Add(const char* path);
  bool Empty() const { return text_[0] == '\0' && dropped_ == 0; }
  // The lines, and "and N more" when some did not fit.
  void Describe(char* output, std::size_t size) const;

 private:
  char text_[1200] = {};
  int dropped_ = 0;
};

// What a removal left: what is not the program's or leads outside its folder (kept), and what it
// could not delete (failed).
struct RemovalReport {
  PathList kept;
  PathList failed;
};

#endif
