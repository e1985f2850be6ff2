// The program's name as users see it, in captions and messages of both programs.
#ifndef VARNEL_DESKTOP_PROGRAM_NAME_H
#define VARNEL_DESKTOP_PROGRAM_NAME_H

constexpr const char* kProgramName = "Varnel";
// The board program's file in the program folder.
constexpr const char* kBoardProgramFile = "QUILLOW.EXE";

#endif
