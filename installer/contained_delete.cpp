// Deletion through handles that were checked to reach inside the folder.
#include "installer/contained_delete.h"

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "installer/install_files.h"
#include "installer/removal_rules.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr const char* kMoreFormat = "and %d more\n";

// Opens the entry itself: a reparse point is not followed, and a folder can be opened too.
HANDLE OpenEntry(const char* path, DWORD access) {
  return CreateFileA(path, access, kShareAll, nullptr, OPEN_EXISTING,
                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool IsGone(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

EntryCheck CheckHandle(HANDLE entry, const char* realParent, const char* name) {
  BY_HANDLE_FILE_INFORMATION info = {};
  if (!GetFileInformationByHandle(entry, &info)) return EntryCheck::kUnreadable;
  // A junction or symbolic link is never entered nor deleted: what it stands for is not ours.
  if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return EntryCheck::kElsewhere;
  char real[MAX_PATH + 16] = {};
  const DWORD length = GetFinalPathNameByHandleA(entry, real, sizeof(real), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length == 0 || length >= sizeof(real)) return EntryCheck::kUnreadable;
  char expected[MAX_PATH + 1];
  if (std::snprintf(expected, sizeof(expected), "%s\\%s", realParent, name) >= MAX_PATH) return EntryCheck::kUnreadable;
  return FinalPathIs(real, expected) ? EntryCheck::kInside : EntryCheck::kElsewhere;
}

}  // namespace

bool RealFolderPath(const char* folder, char* realPath, std::size_t size) {
  HANDLE handle = OpenEntry(folder, FILE_READ_ATTRIBUTES);
  if (handle == INVALID_HANDLE_VALUE) return false;
  char real[MAX_PATH + 16] = {};
  const DWORD length = GetFinalPathNameByHandleA(handle, real, sizeof(real), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(handle);
  if (length == 0 || length >= sizeof(real)) return false;
  const char* name = real;
  if (std::strncmp(name, "\\\\?\\UNC\\", 8) == 0) {
    char unc[MAX_PATH + 16];
    std::snprintf(unc, sizeof(unc), "\\\\%s", name + 8);
    CopyBounded(realPath, unc, size);
    return true;
  }
  if (std::strncmp(name, "\\\\?\\", 4) == 0) name += 4;
  // Wine names a place outside its drives "unix\...": nothing there is ours to delete.
  if (name[0] == '\0' || name[1] != ':') return false;
  CopyBounded(realPath, name, size);
  const std::size_t length2 = std::strlen(realPath);
  if (length2 > 0 && realPath[length2 - 1] == '\\') realPath[length2 - 1] = '\0';
  return true;
}

EntryCheck CheckEntry(const char* path, const char* realParent, const char* name) {
  HANDLE entry = OpenEntry(path, FILE_READ_ATTRIBUTES);
  if (entry == INVALID_HANDLE_VALUE) return IsGone(GetLastError()) ? EntryCheck::kGone : EntryCheck::kUnreadable;
  const EntryCheck check = CheckHandle(entry, realParent, name);
  CloseHandle(entry);
  return check;
}

DeleteOutcome DeleteContainedFile(const char* path, const char* realParent, const char* name) {
  HANDLE entry = OpenEntry(path, DELETE | FILE_READ_ATTRIBUTES);
  if (entry == INVALID_HANDLE_VALUE) return IsGone(GetLastError()) ? DeleteOutcome::kDeleted : DeleteOutcome::kFailed;
  const EntryCheck check = CheckHandle(entry, realParent, name);
  DeleteOutcome outcome = DeleteOutcome::kElsewhere;
  if (check == EntryCheck::kInside) {
    outcome = install_files::DeleteOpened(entry, path) ? DeleteOutcome::kDeleted : DeleteOutcome::kFailed;
  } else if (check == EntryCheck::kUnreadable) {
    outcome = DeleteOutcome::kFailed;
  }
  // The deletion happens as the last handle closes.
  CloseHandle(entry);
  return outcome;
}

DeleteOutcome DeleteFileInFolder(const char* folder, const char* name) {
  char path[MAX_PATH + 1];
  if (std::snprintf(path, sizeof(path), "%s\\%s", folder, name) >= MAX_PATH) return DeleteOutcome::kFailed;
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES && IsGone(GetLastError())) return DeleteOutcome::kDeleted;
  char realParent[MAX_PATH + 1];
  if (!RealFolderPath(folder, realParent, sizeof(realParent))) return DeleteOutcome::kFailed;
  return DeleteContainedFile(path, realParent, name);
}

DeleteOutcome DeleteFileAt(const char* path) {
  char folder[MAX_PATH + 1];
  CopyBounded(folder, path, sizeof(folder));
  char* last = std::strrchr(folder, '\\');
  if (last == nullptr) return DeleteOutcome::kFailed;
  *last = '\0';
  return DeleteFileInFolder(folder, last + 1);
}

void PathList::Add(const char* path) {
  const std::size_t used = std::strlen(text_);
  // Room stays for the closing count.
  if (used + std::strlen(path) + 2 + 24 > sizeof(text_)) {
    ++dropped_;
    return;
  }
  std::snprintf(text_ + used, sizeof(text_) - used, "%s\n", path);
}

void PathList::Describe(char* output, std::size_t size) const {
  if (dropped_ == 0) {
    CopyBounded(output, text_, size);
    return;
  }
  char more[32];
  std::snprintf(more, sizeof(more), kMoreFormat, dropped_);
  std::snprintf(output, size, "%s%s", text_, more);
}
