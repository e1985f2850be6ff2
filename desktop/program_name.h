// The program's name as users see it, in captions and messages of both programs.
#ifndef VARNEL_DESKTOP_PROGRAM_NAME_H
#define VARNEL_DESKTOP_PROGRAM_NAME_H

constexpr const char* kProgramName = "Varnel";
// The version in the About box; resources/make-art.sh reads it from here for the splash picture.
constexpr const char* kProgramVersion = "09.12.01";
// The board program's file in the program folder.
constexpr const char* kBoardProgramFile = "QUILLOW.EXE";

// The mark a running board puts on its window (registered in Handles\TransHandle): the installer
// looks for it before it removes anything.
constexpr const char* kBoardWindowProperty = "Kestrune.Varnel.Board";

#endif
