// The installer's process-wide buffers and shared helpers.
#include "installer/install_state.h"

#include "installer/contained_delete.h"
#include "installer/install_files.h"

char CommandLineBuffer[kCommandLineSize] = {};
char InstallFolder[kFolderSize] = {};
char SourceFolder[kFolderSize] = {};
char CopySource[kFolderSize] = {};
char CopyTarget[kFolderSize] = {};
HWND BackdropHandle = nullptr;
HWND WizardHandle = nullptr;
DWORD CopyFailureError = ERROR_SUCCESS;

const char* const kPermissionsHelp =
    "Permissions Problems\n\nIf you experience permissions problems it is most likely that you have a [Standard "
    "User] account. Changing your account to an [Administrator] account will fix this problem.\n\nYou can not "
    "change your [Standard User] account to an [Administrator] account while logged into your own account "
    "because, (you guessed it), you do not have permission.\n\nTo change your [Standard User] account to an "
    "[Administrator] account:\nLog off your account, log on to an [administrator account], change your account "
    "to an [Administrator] account, and reboot the computer.\n\nIf you are running Windows Vista:\no Click the "
    "[Start] button\no Locate and select [Switch User]\no Log on to an [administrator account]\no Click the "
    "[Start] button\no Select [Settings]\no Select [ Control Panel]\no Select [User Accounts]\no Select [Manage "
    "another account]\no Find and select [your user account]\no Select [Change the account type]\no Change your "
    "account to [Administrator]\no Select [Change Account Type]\no Reboot the computer";

int ShowMessage(HWND owner, const char* text, const char* caption, UINT style) {
  return MessageBoxA(owner, text, caption, style);
}

INT_PTR GreyControlColour(WPARAM deviceContext) {
  static HBRUSH grey = CreateSolidBrush(RGB(192, 192, 192));
  HDC dc = reinterpret_cast<HDC>(deviceContext);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(192, 192, 192));
  return reinterpret_cast<INT_PTR>(grey);
}

bool PathExists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

bool ClearReadOnly(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0) return true;
  return install_files::SetAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
}

void DiscardFile(const char* path) {
  if (PathExists(path)) DeleteFileAt(path);
}
