// Find in Projects: searching the current project or all of them.
#ifndef VARNEL_PROJECTS_FIND_DIALOG_H
#define VARNEL_PROJECTS_FIND_DIALOG_H

#include <windows.h>

// Runs the dialog modally over owner. It reads projects and the board's page, and changes neither.
void RunFindInProjects(HWND owner);

#endif
