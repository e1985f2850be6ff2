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

#endif
