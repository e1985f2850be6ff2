// Removal of the installed program.
#include "installer/uninstall.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "desktop/registry.h"
#include "desktop/settings_keys.h"
#include "desktop/waits.h"
#include "installer/install_files.h"
#include "installer/install_logic.h"
#include "installer/install_state.h"
#include "installer/installer_ids.h"
#include "installer/shell_entries.h"

namespace {

constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Varnel";
constexpr const char* kPublisher = "Kestrune";
constexpr const char* kInfoAddress = "https://www.kestrune.com/varnel/";
constexpr const char* kUpdateAddress = "https://www.kestrune.com/varnel/download/INSTALL.EXE";
constexpr const char* kConfirmFormat = "Do you really want to UnInstall %s?";
constexpr const char* kUninstalledFormat = "%s has been UnInstalled.";
constexpr const char* kIncompleteFormat =
    "%s could not be UnInstalled completely. These could not be removed:\n%s\no Is %s still running?\no Is one of "
    "its files in use?\n";
constexpr const char* kNotFoundFormat =
    "The installation of %s that you are UnInstalling from:\n%s\ncan not be found.";
constexpr const char* kDialogCaptionFormat = "%s UnInstall";
constexpr const char* kRemovalTextFormat =
    "You are UnInstalling [%s] from Folder:\n%s\n\nDoing this will remove folder:\n%s\nfrom this computer. It will "
    "also delete all the Varnel projects and sub-folders that you may have in it.\n\nAre you sure you want to do "
    "this?";

void SetStringValue(HKEY key, const char* name, const char* data) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), static_cast<DWORD>(std::strlen(data) + 1));
}

void AppendLine(char* list, std::size_t size, const char* line) {
  const std::size_t used = std::strlen(list);
  std::snprintf(list + used, size - used, "%s\n", line);
}

}  // namespace

void WriteUninstallEntry(const char* installFolder) {
  char folder[kFolderSize];
  CopyBounded(folder, installFolder, sizeof(folder));
  TrimPathTail(folder);
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  char command[kFolderSize + 32];
  std::snprintf(command, sizeof(command), "\"%s%s\" %s", folder, kInstallerFileName, kRelayArgument);
  SetStringValue(key, "DisplayName", kProgramName);
  SetStringValue(key, "UninstallString", command);
  SetStringValue(key, "InstallLoaction", folder);
  SetStringValue(key, "Publisher", kPublisher);
  SetStringValue(key, "URLInfoAbout", kInfoAddress);
  SetStringValue(key, "URLUpdateInfo", kUpdateAddress);
  RegCloseKey(key);
}

int DeleteFolderTree(const char* path) {
  char pattern[MAX_PATH];
  if (std::snprintf(pattern, sizeof(pattern), "%s\\*.*", path) >= MAX_PATH) return 0;
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(pattern, &found);
  if (listing == INVALID_HANDLE_VALUE) return 0;
  if (std::strchr(path, '\\') == nullptr) {
    FindClose(listing);
    return 1;
  }
  bool allDeleted = true;
  do {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder && found.cFileName[0] == '.') continue;
    if (!isFolder && IsRemovedLast(found.cFileName)) continue;
    char entry[MAX_PATH];
    if (std::snprintf(entry, sizeof(entry), "%s\\%s", path, found.cFileName) >= MAX_PATH) {
      allDeleted = false;
      break;
    }
    bool deleted;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      // A junction or symbolic link may lead out of the install folder: remove the link itself,
      // never what it points at.
      deleted = isFolder ? install_files::RemoveFolder(entry) : install_files::Delete(entry);
    } else if (isFolder) {
      deleted = DeleteFolderTree(entry) != 0;
    } else {
      deleted = install_files::Delete(entry);
    }
    if (!deleted) {
      allDeleted = false;
      break;
    }
  } while (FindNextFileA(listing, &found));
  FindClose(listing);
  for (const char* name : kRemovedLast) {
    if (!allDeleted) break;
    char entry[MAX_PATH];
    if (std::snprintf(entry, sizeof(entry), "%s\\%s", path, name) >= MAX_PATH) {
      allDeleted = false;
      break;
    }
    const DWORD attributes = GetFileAttributesA(entry);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    allDeleted = install_files::Delete(entry);
  }
  if (!allDeleted) return 0;
  return install_files::RemoveFolder(path) ? 1 : 0;
}

UninstallConfirmDialog::UninstallConfirmDialog() : TableDialog(IDD_UNINSTALL) {}

std::span<const UninstallConfirmDialog::MessageRow> UninstallConfirmDialog::MessageTable() const {
  static const MessageRow rows[] = {
      {WM_CTLCOLORDLG, &UninstallConfirmDialog::OnControlColour},
      {WM_CTLCOLORSTATIC, &UninstallConfirmDialog::OnControlColour},
      {WM_CTLCOLORBTN, &UninstallConfirmDialog::OnControlColour},
  };
  return rows;
}

std::span<const UninstallConfirmDialog::CommandRow> UninstallConfirmDialog::CommandTable() const {
  static const CommandRow rows[] = {
      {IDC_UNINSTALL_CANCEL, IDC_UNINSTALL_CANCEL, BN_CLICKED, &UninstallConfirmDialog::OnCancelButton},
      {IDC_UNINSTALL_FINISH, IDC_UNINSTALL_FINISH, BN_CLICKED, &UninstallConfirmDialog::OnFinish},
  };
  return rows;
}

INT_PTR UninstallConfirmDialog::OnControlColour(WPARAM wParam, LPARAM) { return GreyControlColour(wParam); }

BOOL UninstallConfirmDialog::OnInitDialog() {
  char caption[64];
  std::snprintf(caption, sizeof(caption), kDialogCaptionFormat, kProgramName);
  SetWindowTextA(Handle(), caption);
  fw::CenterOnDesktop(Handle());
  RegReadString(kConfigureKey, kThisProgramDirValue, "", folder_, kFolderReadLimit);
  char trimmed[kFolderSize];
  CopyBounded(trimmed, folder_, sizeof(trimmed));
  TrimPathTail(trimmed);
  char windows[kFolderSize] = {};
  GetWindowsDirectoryA(windows, kFolderReadLimit);
  TrimPathTail(windows);
  char programFile[kFolderSize + 16];
  std::snprintf(programFile, sizeof(programFile), "%s%s", trimmed, kProgramFileName);
  // Anything but an install folder counts as not found, so that an altered value cannot make the
  // uninstaller empty a drive, the Windows folder or a folder of documents.
  if (!MayRemoveInstallFolder(trimmed, windows, PathExists(trimmed), PathExists(programFile))) {
    char text[600];
    std::snprintf(text, sizeof(text), kNotFoundFormat, kProgramName, folder_);
    ShowMessage(BackdropHandle, text, kProgramName, MB_ICONINFORMATION);
    EndDialog(IDCANCEL);
    return TRUE;
  }
  CopyBounded(folder_, trimmed, sizeof(folder_));
  char text[1024];
  std::snprintf(text, sizeof(text), kRemovalTextFormat, kProgramName, folder_, folder_);
  SetItemText(IDC_UNINSTALL_TEXT, text);
  SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_UNINSTALL_CANCEL)), TRUE);
  return FALSE;
}

void UninstallConfirmDialog::OnCancelButton(int, int, HWND) { EndDialog(IDCANCEL); }

void UninstallConfirmDialog::OnFinish(int, int, HWND) {
  folderRemoved_ = DeleteFolderTree(folder_) != 0;
  EndDialog(IDOK);
}

void RunUninstallCommand(HWND backdrop, fw::Dialog& backdropDialog) {
  char question[128];
  std::snprintf(question, sizeof(question), kConfirmFormat, kProgramName);
  if (ShowMessage(backdrop, question, kProgramName, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
    backdropDialog.EndDialog(IDCANCEL);
    return;
  }
  PumpWait(1000, 1);
  UninstallConfirmDialog confirm;
  if (confirm.RunModal(backdrop) != IDOK) {
    backdropDialog.EndDialog(IDCANCEL);
    return;
  }
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  RemoveShellEntry(backdrop, CSIDL_DESKTOP, kGroupName, 0);
  PumpWait(64, 1);
  RemoveShellEntry(backdrop, CSIDL_PROGRAMS, kGroupName, 1);
  PumpWait(64, 1);
  SetCursor(previous);
  // Whatever is still there is named, so that a removal cut short is never reported as done.
  char left[3 * (MAX_PATH + 2)] = {};
  if (!confirm.FolderRemoved()) AppendLine(left, sizeof(left), confirm.Folder());
  const int entries[][2] = {{CSIDL_DESKTOP, 0}, {CSIDL_PROGRAMS, 1}};
  for (const auto& entry : entries) {
    char path[MAX_PATH + 1] = {};
    if (ShellEntryPath(backdrop, entry[0], kGroupName, entry[1], path) == 1 && PathExists(path)) {
      AppendLine(left, sizeof(left), path);
    }
  }
  char done[1400];
  if (left[0] == '\0') {
    std::snprintf(done, sizeof(done), kUninstalledFormat, kProgramName);
    ShowMessage(backdrop, done, kProgramName, MB_ICONINFORMATION);
  } else {
    std::snprintf(done, sizeof(done), kIncompleteFormat, kProgramName, left, kProgramName);
    ShowMessage(backdrop, done, kProgramName, MB_ICONERROR);
  }
  backdropDialog.EndDialog(IDOK);
}
