// The project commands of the File menu and the project combo box.
#ifndef VARNEL_PROJECTS_PROJECT_COMMANDS_H
#define VARNEL_PROJECTS_PROJECT_COMMANDS_H

// Before the board's slots are replaced: writes them back to the file they belong to, or, when
// they belong to none and hold any text, asks for a name and saves them there. Returns 1 when
// the slots may be replaced (saved, empty, or the user declined to name a file), 0 when a save
// failed: the board must then keep its slots.
int SaveCurrentIfPresent();

void NewProject();
void SaveProject();
void SaveProjectAs();
void DeleteProject();
void ChangeProject();

// Saves the slots at closing, asking for a name when they belong to no file and hold text.
// Returns 0 only when a save failed; the user declining to name a file counts as done.
int SaveBoardOnClose();

// Writes the slots into the file they belong to, when they belong to one. Returns 0 only when
// that save failed.
int SaveBoardIntoItsFile();
// Shows the file the slots belong to as it is now on disk (after a consolidation rewrote it).
void ReloadBoardFromItsFile();

// At the end of the Windows session: the slots go back into the file they belong to, if any;
// nothing is asked.
void SaveBoardAtSessionEnd();

#endif
