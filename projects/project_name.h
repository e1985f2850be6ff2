// Turning the name a user typed for a new project into the path of its file.
#ifndef VARNEL_PROJECTS_PROJECT_NAME_H
#define VARNEL_PROJECTS_PROJECT_NAME_H

#include "state/project_page.h"

// nameBuffer is a kPathBufferSize buffer holding the typed name. The name is cut at its first
// full stop, characters Windows or the project list cannot take are dropped, and runs of spaces
// shrink to their last space (trailing spaces vanish). Returns 1 after rewriting the buffer to
// programFolder + name + ".vrl"; programFolder is used as given, so it ends with its separator.
// Returns 0 and leaves the buffer unchanged when nothing is left of the name, the name is a
// device name (CON, NUL, COM1, CONIN$, ..., also with spaces after it), the path would exceed kPathBufferSize - 1 characters, or
// either argument is null.
int BuildProjectPath(char* nameBuffer, const char* programFolder);

// True for a path that does not depend on the current folder: a drive letter, a colon and a
// backslash, or a leading backslash (the root of the current drive, where the program keeps its
// projects when it has no program folder, or a network path). A stored current project that is
// anything else (a relative name, or a registry value of another type read as text) is not loaded.
bool IsRootedPath(const char* path);

#endif
