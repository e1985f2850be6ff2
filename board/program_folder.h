// The folder of the project library, from Configure\ThisProgramDir, and what the user is told
// when that value cannot be used.
#ifndef VARNEL_BOARD_PROGRAM_FOLDER_H
#define VARNEL_BOARD_PROGRAM_FOLDER_H

enum class ProgramFolderProblem { None, Missing, NotAFolder, TooLong };

// Fills ProgramFolder (ending in a backslash) and makes it the current directory. A value that
// is missing, names no folder or is too long is replaced by the program's own folder, so that
// projects never land in the root of a drive because of it.
ProgramFolderProblem LoadProgramFolder();

// Tells the user once why ThisProgramDir was not used and where projects are kept instead.
void ReportProgramFolderProblem(ProgramFolderProblem problem);

#endif
