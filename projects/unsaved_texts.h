// What happens to the board's texts when the program is about to end and they are in no file:
// a save that failed, or a name that was not given, never discards them without the user's word.
#ifndef VARNEL_PROJECTS_UNSAVED_TEXTS_H
#define VARNEL_PROJECTS_UNSAVED_TEXTS_H

// How the board's own save before it ends went.
enum class BoardSave {
  Saved,     // in their file, or nothing to lose
  Failed,    // the save was tried and failed (the error has been shown)
  NotNamed,  // they belong to no file and the user gave no name
  GoBack,    // the user asked, before anything was written, to go back to the board
};

enum class EndingChoice { End, StayOpen };

// Saves the captured board before the program ends (close, end of the session). When the texts
// could not be put in a file, asks whether to save them under another name or in another
// folder, to end without saving them, or to go back to the board; asks again after a save
// elsewhere that failed or was cancelled.
EndingChoice SaveTextsBeforeEnding();

#endif
