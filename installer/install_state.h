// The installer's process-wide state (owned by the backdrop for the life of the process), its
// messages as the system shows them, and the light grey look of its dialogs.
#ifndef VARNEL_INSTALLER_INSTALL_STATE_H
#define VARNEL_INSTALLER_INSTALL_STATE_H

#include <windows.h>

constexpr int kCommandLineSize = 512;
constexpr int kFolderSize = 261;
// Folders read from the system (working, Windows and module folders) are cut here, so that every
// path below them stays under MAX_PATH. The install folder has its own, smaller limit
// (kInstallFolderMaxLength), and is read whole wherever it is read.
constexpr int kFolderReadLimit = 236;

extern char CommandLineBuffer[kCommandLineSize];
extern char InstallFolder[kFolderSize];
extern char SourceFolder[kFolderSize];
extern char CopySource[kFolderSize];
extern char CopyTarget[kFolderSize];
extern HWND BackdropHandle;
extern HWND WizardHandle;
// Why the last failed copy of the installation set failed (a Win32 error code).
extern DWORD CopyFailureError;

constexpr const char* kInstallCaption = "Varnel Installation";
constexpr const char* kProgramFileName = "\\QUILLOW.EXE";
constexpr const char* kInstallerFileName = "\\INSTALL.EXE";
constexpr const char* kMissingFormat = "Source File:\n%s\nis missing!";
constexpr const char* kCopyFailedFormat =
    "Copying from:\n%s\nCopying to:\n%s\nThe file could not be copied.\n\no Is %s in use?\no Is your disk "
    "full?\no You may have specified an invalid destination.\n";
extern const char* const kPermissionsHelp;
// A new file is written under this suffix beside its target, which it replaces only once it is whole.
constexpr const char* kTemporarySuffix = ".new";

// A message box of the installer; style as the system numbers it (16 error, 48 warning, 64 information).
int ShowMessage(HWND owner, const char* text, const char* caption, UINT style);

// The grey dialog look: answers the WM_CTLCOLOR... messages of a dialog.
INT_PTR GreyControlColour(WPARAM deviceContext);

bool PathExists(const char* path);
// Clears the read-only attribute of a file that has it; false when it stays read-only.
bool ClearReadOnly(const char* path);
// Deletes what a failed step left under a temporary name, if anything.
void DiscardFile(const char* path);

#endif
