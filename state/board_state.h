// The process-wide state that the board owns. It lives below every subsystem so that the
// dialogs, the project commands and the desktop parts can read and write it while they run
// modally on the board's thread, without depending on the board itself.
#ifndef VARNEL_STATE_BOARD_STATE_H
#define VARNEL_STATE_BOARD_STATE_H

#include <windows.h>

#include "framework/menu.h"
#include "state/project_page.h"
#include "state/slots.h"

constexpr int kPathSize = static_cast<int>(kPathBufferSize);
constexpr int kCommandLineSize = 1024;

extern HWND BoardHandle;
extern char CurrentProjectPath[kPathSize];
extern char ProgramFolder[kPathSize];
extern int CurrentField;
extern int RepositionMode;
extern int RepositionCount;

// The board's staging image of its 33 slots.
extern ProjectPage BoardPage;

// The file the board's slots were last loaded from or saved to; empty when they belong to no
// file (nothing loaded yet, a load failed, or the slots were replaced without being saved).
// Automatic saves write only there, so one project's slots can never land in another's file.
extern char BoardSlotsPath[kPathSize];

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
// The Windows session is ending: nobody is there to answer a message box.
extern int SessionEnding;

extern char CommandLineCopy[kCommandLineSize];
extern int NewSessionStart;

extern HICON BoardIcon;
extern HICON TrayIcon;
extern fw::Menu BoardMenu;
extern const char* HelpTopic;
extern HWND CopyButtonTable[kSlotCount];

// Moves the keyboard focus to the project combo box; nearly every command ends with it. While the
// combo box is disabled (Reposition mode), the board itself takes it.
void FocusProjectCombo();

#endif
