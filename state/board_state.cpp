// The board's process-wide state with its start values.
#include "state/board_state.h"

#include "resources/resource.h"

HWND BoardHandle = nullptr;
char CurrentProjectPath[kPathSize] = {};
char ProgramFolder[kPathSize] = {};
int CurrentField = 0;
int RepositionMode = 0;
int RepositionCount = 0;

ProjectPage BoardPage = {};
char BoardSlotsPath[kPathSize] = {};

int MinOnEachCopy = 0;
int TopMost = 1;
int AutoPaste = 1;
int UseSystemTray = 1;
int HideInTrayOnStartup = 0;
int WantToolTip = 1;

int MinimizeCommand = SW_MINIMIZE;
HWND PasteTarget = nullptr;

int PrimaryCopy = 1;
HWND RunningCopyHandle = nullptr;
int HandoverAcknowledged = 0;

int BoardClosing = 0;
int BoardReady = 0;
int SessionEnding = 0;

char CommandLineCopy[kCommandLineSize] = {};
int NewSessionStart = 0;

HICON BoardIcon = nullptr;
HICON TrayIcon = nullptr;
fw::Menu BoardMenu;
const char* HelpTopic = nullptr;
HWND CopyButtonTable[kSlotCount] = {};

void FocusProjectCombo() {
  if (BoardHandle == nullptr) return;
  HWND combo = GetDlgItem(BoardHandle, IDC_PROJECT_COMBO);
  if (IsWindowEnabled(combo)) {
    SendMessageA(BoardHandle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(combo), 1);
  } else {
    // Reposition mode disables the combo box and every field. With the focus nowhere the board
    // would get no keys at all, and the shortcuts that the mode allows would do nothing.
    SetFocus(BoardHandle);
  }
}
