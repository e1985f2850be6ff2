// The way a save still works where the system refuses for good to replace the project with its
// finished temporary file (a virtualised target, some network shares): the project's page is
// written in place, with a backup of its old page beside it until the new one is on the disk.
// A backup left behind means that writing was cut short: whoever finds it first (the next read or
// save of that project, the board's next start) puts the old page back from it.
#ifndef VARNEL_PROJECTS_SAVE_BACKUP_H
#define VARNEL_PROJECTS_SAVE_BACKUP_H

#include <cstddef>
#include <string>

#include "projects/file_problem.h"
#include "state/project_page.h"

// True when a refused replace leaves writing in place as the only way to save: the system denied
// the move though nobody holds the file. A file in use (which would refuse writing in place too),
// a read-only disk, a missing folder or a full disk keep the save's failure.
bool ReplaceRefusedForGood(const FileFailure& refusal);

// The backup kept while path is written in place: path with the extension of its file name
// replaced by ".~vb". Returns 1, or 0 (out empty) when the result does not fit size.
int BackupPathFor(const char* path, char* out, std::size_t size);

// What a backup holds after the page: a marker, the file name of the project it belongs to, and a
// checksum over both, so that only a backup written whole by a save proves complete.
std::string BackupTrailer(const ProjectPage& page, const char* projectFileName);

// Writes page over the file at path in place, after a complete backup of the page it holds;
// temporaryPath (the save's finished temporary file) is removed on the way. The project must be
// one page long. Every failure puts the old page back (or leaves that to the next read) and says
// why in failure. True when path holds page and no backup or temporary is left.
bool WritePageInPlace(const char* path, const char* temporaryPath, const ProjectPage& page, FileFailure* failure);

enum class BackupOutcome {
  None,      // no backup
  Restored,  // the project holds its page from before the cut-short save again; the backup is gone
  Removed,   // the backup was not complete, so the project was never touched: it was removed
  Left,      // left as found: it could not be read, restored or removed; the project may be cut
             // short and must be neither read nor saved over until it is resolved
  Foreign,   // left alone, and says nothing about this project: another project's backup of the
             // same stem, or one cut short (the project never touched) that could not be removed
};

// Resolves the backup of the project at path, if there is one, before the project is read or
// saved.
BackupOutcome RestoreInterruptedSave(const char* path);

// Resolves the backup at backupPath, found in a folder's listing; projectPath receives the
// project that was restored (empty otherwise).
BackupOutcome ResolveSaveBackup(const char* backupPath, char* projectPath, std::size_t size);

#endif
