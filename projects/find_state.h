// What Find in Projects remembers between its runs: the search text and options, where the last
// search stopped, and the buffer the project files are read into while the dialog is open.
#ifndef VARNEL_PROJECTS_FIND_STATE_H
#define VARNEL_PROJECTS_FIND_STATE_H

#include <cstddef>

#include "state/project_page.h"

constexpr std::size_t kSearchTextSize = 128;
constexpr std::size_t kFindProjectNameSize = 260;

// Which fields of a slot are searched.
constexpr int kFindInButtonsAndTextFields = 1;
constexpr int kFindInTextFields = 2;
constexpr int kFindInButtons = 3;

// The scope of the last successful search; Find Next resumes only within the same scope.
constexpr int kScopeNone = 0;
constexpr int kScopeAllProjects = 1;
constexpr int kScopeCurrentProject = 2;

struct FindRecord {
  char searchText[kSearchTextSize];
  int matchCase;
  int allProjects;
  // 0 until the first search, shown as kFindInButtonsAndTextFields.
  int fields;
  int lastScope;
  // The resume point: the slot of the last match, in the project at projectIndex of the
  // projectCount entries the project list held when the search began.
  int slot;
  int projectIndex;
  int projectCount;
  char projectName[kFindProjectNameSize];
  // Holds the project at projectIndex; only while the dialog is open.
  ProjectPage* readBuffer;
};

// Process-wide, for the whole run.
extern FindRecord FindState;

// Clears the remembered search; the next search covers all projects.
void ResetFindState();

// Allocates the read buffer, zero-filled; 0 when there is no memory for it.
int AllocateFindBuffer();
void ReleaseFindBuffer();

#endif
