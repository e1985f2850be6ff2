// The project library: the project files in the program folder, listed in the project combo box.
#ifndef VARNEL_PROJECTS_PROJECT_LIBRARY_H
#define VARNEL_PROJECTS_PROJECT_LIBRARY_H

constexpr int kMaxListedProjects = 6501;

// Fills the combo box with the folder's project files and selects the current one. With no
// current project the first entry becomes current (without loading it). Returns 0 when the
// folder holds no project, or when none was current and the list stayed empty; 1 otherwise.
int ListProjects();

// The file name part of a path: the text after its last backslash (searched from the end down
// to the third character), or "" when there is none.
const char* FileNameOfPath(const char* path);

#endif
