// Moving a finished temporary file over a project file; one implementation per platform.
#ifndef VARNEL_PROJECTS_FILE_REPLACE_H
#define VARNEL_PROJECTS_FILE_REPLACE_H

// Puts temporaryPath in the place of targetPath, replacing targetPath when it exists.
// Both paths must be in the same folder, so the move is a rename and the target is never seen
// half written. Returns false when the move did not happen; targetPath is then unchanged and
// temporaryPath is left for the caller to remove.
bool ReplaceFileWith(const char* temporaryPath, const char* targetPath);

#endif
