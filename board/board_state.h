// The process-wide state that the board owns; dialogs read and write it while they run modally
// on the board's thread.
#ifndef VARNEL_BOARD_BOARD_STATE_H
#define VARNEL_BOARD_BOARD_STATE_H

#include <windows.h>

#include "board/board_layout.h"
#include "framework/menu.h"
#include "projects/project_page.h"

constexpr const char* kProgramName = "Varnel";
// Paths live in the same fixed buffers as the project code uses.
constexpr int kPathSize = static_cast<int>(kPathBufferSize);
constexpr int kCommandLineSize = 1024;

extern HWND BoardHandle;
extern char CurrentProjectPath[kPathSize];
extern char ProgramFolder[kPathSize];
extern int CurrentField;
extern int RepositionMode;
extern int RepositionCount;

// Options, with their defaults as the settings store knows them.
extern int MinOnEachCopy;
extern int TopMost;
extern int AutoPaste;
extern int UseSystemTray;
extern int HideInTrayOnStartup;
extern int WantToolTip;

// Show command for a minimised board: SW_HIDE while the tray icon is in use, else SW_MINIMIZE.
extern int MinimizeCommand;
extern HWND PasteTarget;

// The hand-over between two copies of the program.
extern int PrimaryCopy;
extern HWND RunningCopyHandle;
extern int HandoverAcknowledged;

extern int BoardClosing;
extern int BoardReady;

extern char CommandLineCopy[kCommandLineSize];
extern int NewSessionStart;

extern HICON BoardIcon;
extern HICON TrayIcon;
extern fw::Menu BoardMenu;
extern const char* HelpTopic;
extern HWND CopyButtonTable[kSlotCount];

// Moves the keyboard focus to the project combo box; nearly every command ends with it.
void FocusProjectCombo();

#endif
