// The board's project on disk: copying between the board and its page, loading and saving the
// current project, and the caption that names it.
#ifndef VARNEL_PROJECTS_PROJECT_FILE_H
#define VARNEL_PROJECTS_PROJECT_FILE_H

#include "projects/file_problem.h"
#include "state/project_page.h"

// Copies the board's 33 captions and texts into the page through the record's conversion (cut to
// 31 and 10239 bytes), noting each slot that the page does not hold as the board shows it.
void CaptureBoard();
// Every save of captured slots asks this first: 1 when the page holds the board's texts as they
// are shown, or the user chose to save them changed; 0 when the user went back, and nothing may
// be written.
int ConfirmCapturedTexts();
// Writes the page's captions and texts into the board's buttons and fields.
void ShowPage();

// Saves the page through a temporary file; every failure leaves the old file as it was and
// shows "Error saving:" with the path and a line with the system's cause. retitle = 1: the
// board's own project (caption updated, and the slots now belong to path).
int SaveProjectFile(const char* path, const ProjectPage& page, int retitle);
// Reads the page; silent on failure, which leaves the page as it was, and says why in failure
// when given. retitle = 1 (the board's own project, which also refuses a file longer than a
// project) on success: caption updated, the slots belong to path, settings saved.
int LoadProjectFile(const char* path, ProjectPage& page, int retitle, FileFailure* failure = nullptr);
// Names the project that could not be loaded and why, in a message box over the board.
void ReportUnloadableProject(const char* path, const FileFailure& failure);

// Sets the board's caption to "Varnel >" followed by the path.
void BoardTitle(const char* path);

bool ProjectFileExists(const char* path);
// True when the board's slots belong to the file at path (same path, ignoring letter case).
bool SlotsBelongTo(const char* path);

#endif
