// The project commands of the File menu and the project combo box.
#ifndef VARNEL_PROJECTS_PROJECT_COMMANDS_H
#define VARNEL_PROJECTS_PROJECT_COMMANDS_H

// Writes the board's slots back to the current file when they belong to it; asks for a name
// first when they belong to no file and hold any text.
void SaveCurrentIfPresent();

// The commands; each returns 1 when it ended with the focus step of the dispatch.
void NewProject();
void SaveProject();
void SaveProjectAs();
void DeleteProject();
void ChangeProject();

// The file the board's slots should go back to when closing: 1 and saved, or 0 when there is
// none and the user declined to name one.
int SaveBoardOnClose();

#endif
