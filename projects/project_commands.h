// The project commands of the File menu and the project combo box.
#ifndef VARNEL_PROJECTS_PROJECT_COMMANDS_H
#define VARNEL_PROJECTS_PROJECT_COMMANDS_H

#include "projects/unsaved_texts.h"

// Before the board's slots are replaced: writes them back to the file they belong to, or, when
// they belong to none and hold any text, asks for a name and saves them there. Returns 1 when
// the slots may be replaced (saved or empty), 0 when a save failed or the user gave no name:
// the board must then keep its slots.
int SaveCurrentIfPresent();

void NewProject();
void SaveProject();
void SaveProjectAs();
void DeleteProject();
void ChangeProject();

// Saves the captured slots at closing, asking for a name when they belong to no file and hold
// text. A question that lets the user go back before anything is written answers GoBack.
BoardSave SaveBoardOnClose();

// Writes the slots into the file they belong to, when they belong to one. Returns 0 only when
// that save failed.
int SaveBoardIntoItsFile();
// Shows the file the slots belong to as it is now on disk (after a consolidation rewrote it).
void ReloadBoardFromItsFile();

// When the session ends without the board having been asked first: the slots go back into the
// file they belong to, if any; nothing is asked.
void SaveBoardAtSessionEnd();

#endif
