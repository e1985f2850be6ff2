// The board's start-up pass over what a killed save can leave beside the projects: a backup of a
// project that was being written in place (the old page is put back, and the user is told), and
// a save's temporary file that never took its project's place.
#ifndef VARNEL_PROJECTS_INTERRUPTED_SAVES_H
#define VARNEL_PROJECTS_INTERRUPTED_SAVES_H

#include <windows.h>

// Looks in the program folder and beside the current project. Runs before any project is read.
void UndoInterruptedSaves(HWND owner);

#endif
