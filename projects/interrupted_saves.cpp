// Undoing, at start-up, the saves that a kill cut short.
#include "projects/interrupted_saves.h"

#include <cstdio>

#include "desktop/program_name.h"
#include "projects/file_operations.h"
#include "projects/file_system.h"
#include "projects/page_file.h"
#include "projects/save_backup.h"
#include "state/board_state.h"

namespace {

constexpr const char* kSaveUndoneFormat =
    "An interrupted save was undone:\n%s\nThe project holds its texts as they were before that save.";

void TellRestored(HWND owner, const char* project) {
  char message[kPathSize + 96];
  std::snprintf(message, sizeof message, kSaveUndoneFormat, project);
  // The start-up splash stays above the hidden board: the message must come above it.
  MessageBoxA(owner, message, kProgramName, MB_ICONINFORMATION | MB_TOPMOST | MB_SETFOREGROUND);
}

// Calls found(path) for each file of the program folder whose name ends in extension.
template <typename Found>
void ForEachInProgramFolder(const char* extension, Found found) {
  char pattern[kPathSize];
  if (std::snprintf(pattern, sizeof pattern, "%s*%s", ProgramFolder, extension) >= static_cast<int>(sizeof pattern)) return;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(pattern, &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    char path[kPathSize];
    if (std::snprintf(path, sizeof path, "%s%s", ProgramFolder, entry.cFileName) >= static_cast<int>(sizeof path)) continue;
    found(path);
  } while (FindNextFileA(search, &entry));
  FindClose(search);
}

}  // namespace

void UndoInterruptedSaves(HWND owner) {
  if (ProgramFolder[0] != '\0') {
    ForEachInProgramFolder(".~vb", [owner](const char* backup) {
      char project[kPathSize];
      if (ResolveSaveBackup(backup, project, sizeof project) == BackupOutcome::Restored) TellRestored(owner, project);
    });
    // A temporary never holds the only copy of a text: it takes its project's place whole, or a
    // project written in place kept its backup until the temporary was gone. One that is left was
    // cut short before either, and would stay for good.
    ForEachInProgramFolder(".~vr", [](const char* temporary) {
      char backup[kPathSize];
      if (!BackupPathFor(temporary, backup, sizeof backup) || PathIsPresent(backup)) return;
      if (IsOwnPlainFile(temporary)) FileRemove(temporary);
    });
  }
  if (CurrentProjectPath[0] != '\0' && RestoreInterruptedSave(CurrentProjectPath) == BackupOutcome::Restored) {
    TellRestored(owner, CurrentProjectPath);
  }
}
