// The few file-system operations whose portable form does not say enough; one implementation per
// platform.
#ifndef VARNEL_PROJECTS_FILE_SYSTEM_H
#define VARNEL_PROJECTS_FILE_SYSTEM_H

#include <cstdio>

// Puts temporaryPath in the place of targetPath, replacing targetPath when it exists.
// Both paths must be in the same folder, so the move is a rename and the target is never seen
// half written. Returns false when the move did not happen; targetPath is then unchanged and
// temporaryPath is left for the caller to remove, and the system's last error says why.
bool ReplaceFileWith(const char* temporaryPath, const char* targetPath);

// Waits until what the file's stream has handed to the system is on the disk; the stream must
// have been flushed first. False when the system could not write it.
bool FlushFileToDisk(std::FILE* file);

// True when a file exists at path and is marked read-only. A privileged process can write such
// a file anyway, so the mark has to be looked at by itself.
bool IsReadOnlyFile(const char* path);

// The Windows error code of the last failed call (GetLastError); 0 where there is none. Cleared
// with errno by ClearSystemErrors before a call whose failure is to be explained.
unsigned long LastWindowsError();
void ClearSystemErrors();

// True when nothing at all is at path. False when something is, or when the system cannot tell
// (its last error then says why, and is 0 when something is there).
bool IsPathFree(const char* path);

// True when the file exists but another program has it open in a way that shuts everyone else
// out for now (Windows' sharing modes); such a hold says nothing about whether it may be written.
bool IsHeldByAnotherProgram(const char* path);

// True when something (a file, a folder, a link) is at path. Asks the system directly rather than
// opening a file, so that looking for a leftover costs the usual save no file operation.
bool PathIsPresent(const char* path);

// True when path is a plain file of its own: no folder, no link of any kind (symbolic, junction,
// a second hard link), and the file it reaches bears its name. Only such a file of ours may be
// removed by a clean-up, which must never delete through a link what lies elsewhere.
bool IsOwnPlainFile(const char* path);

#endif
