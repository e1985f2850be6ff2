// Consolidate Projects: sorting the slots of chosen projects across their files.
#ifndef VARNEL_PROJECTS_CONSOLIDATE_DIALOG_H
#define VARNEL_PROJECTS_CONSOLIDATE_DIALOG_H

#include <windows.h>

// Runs the dialog modally over owner. The board saves its slots into their own file first and
// reloads that file afterwards (project commands).
void RunConsolidateProjects(HWND owner);

// Finishes or undoes a consolidation that was cut short (the process killed, the power lost),
// before any project is loaded; tells the user over owner when one was completed.
void FinishInterruptedConsolidation(HWND owner);

#endif
