// What Find in Projects remembers between its runs.
#ifndef VARNEL_PROJECTS_FIND_STATE_H
#define VARNEL_PROJECTS_FIND_STATE_H

// Clears the remembered search; the next search covers all projects.
void ResetFindState();

#endif
