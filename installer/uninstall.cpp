// Removal of the installed program.
#include "installer/uninstall.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "desktop/registry.h"
#include "desktop/settings_keys.h"
#include "desktop/waits.h"
#include "installer/install_files.h"
#include "installer/install_logic.h"
#include "installer/removal_rules.h"
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
constexpr const char* kIncompleteFormat = "%s could not be UnInstalled completely.";
constexpr const char* kFailedFormat =
    " These could not be removed:\n%s\no Is %s still running?\no Is one of its files in use?\n";
constexpr const char* kKeptFormat =
    "%sThese are not its own files, or lead outside its folder, and were left in place:\n%s";
constexpr const char* kBoardRunningFormat = "%s is running. Close it and UnInstall again: nothing has been removed.";
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


std::string DescribeLeftovers(const RemovalReport& report) {
  char list[1400];
  char part[1800];
  char text[4096];
  std::snprintf(text, sizeof(text), kIncompleteFormat, kProgramName);
  std::string result = text;
  if (!report.failed.Empty()) {
    report.failed.Describe(list, sizeof(list));
    std::snprintf(part, sizeof(part), kFailedFormat, list, kProgramName);
    result += part;
  }
  if (!report.kept.Empty()) {
    report.kept.Describe(list, sizeof(list));
    std::snprintf(part, sizeof(part), kKeptFormat, report.failed.Empty() ? " " : "\n", list);
    result += part;
  }
  return result;
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

namespace {

enum class TreeResult { kRemoved, kKeptSome, kFailed };

struct ListedEntry {
  char name[MAX_PATH];
  bool folder;
};

bool Listed(const std::vector<ListedEntry>& entries, const char* name) {
  for (const ListedEntry& entry : entries) {
    if (!entry.folder && EqualIgnoringCase(entry.name, name)) return true;
  }
  return false;
}

bool BelongsToTheProgram(const std::vector<ListedEntry>& entries, const char* name) {
  char project[MAX_PATH];
  ProjectOfTemporary(name, project, sizeof(project));
  return IsProgramsOwnFile(name, project[0] != '\0' && Listed(entries, project));
}

// The listing is read whole first: deciding whether a .tmp is a consolidation's needs its
// project, and the folder changes while its entries go.
bool ListFolder(const char* path, std::vector<ListedEntry>& entries) {
  char pattern[MAX_PATH];
  if (std::snprintf(pattern, sizeof(pattern), "%s\\*.*", path) >= MAX_PATH) return false;
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(pattern, &found);
  if (listing == INVALID_HANDLE_VALUE) return false;
  do {
    if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
    ListedEntry entry;
    CopyBounded(entry.name, found.cFileName, sizeof(entry.name));
    entry.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entries.push_back(entry);
  } while (FindNextFileA(listing, &found));
  FindClose(listing);
  return true;
}

TreeResult DeleteTree(const char* path, const char* realPath, RemovalReport& report) {
  std::vector<ListedEntry> entries;
  if (!ListFolder(path, entries)) {
    report.failed.Add(path);
    return TreeResult::kFailed;
  }
  bool keptSome = false;
  // The program and the installer go after everything else of the folder they stand in, in
  // their own order.
  std::vector<const ListedEntry*> order;
  for (const ListedEntry& entry : entries) {
    if (entry.folder || !IsRemovedLast(entry.name)) order.push_back(&entry);
  }
  for (const char* last : kRemovedLast) {
    for (const ListedEntry& entry : entries) {
      if (!entry.folder && EqualIgnoringCase(entry.name, last)) order.push_back(&entry);
    }
  }
  for (const ListedEntry* listed : order) {
    const ListedEntry& entry = *listed;
    char full[MAX_PATH];
    if (std::snprintf(full, sizeof(full), "%s\\%s", path, entry.name) >= MAX_PATH) {
      report.failed.Add(path);
      return TreeResult::kFailed;
    }
    if (entry.folder) {
      // A folder whose name begins with a dot is kept whole: such folders hold other programs'
      // settings.
      if (entry.name[0] == '.' || CheckEntry(full, realPath, entry.name) != EntryCheck::kInside) {
        report.kept.Add(full);
        keptSome = true;
        continue;
      }
      char realChild[MAX_PATH];
      std::snprintf(realChild, sizeof(realChild), "%s\\%s", realPath, entry.name);
      const TreeResult child = DeleteTree(full, realChild, report);
      if (child == TreeResult::kFailed) return child;
      keptSome |= child == TreeResult::kKeptSome;
      continue;
    }
    if (!BelongsToTheProgram(entries, entry.name)) {
      report.kept.Add(full);
      keptSome = true;
      continue;
    }
    const DeleteOutcome outcome = DeleteContainedFile(full, realPath, entry.name);
    if (outcome == DeleteOutcome::kFailed) {
      report.failed.Add(full);
      return TreeResult::kFailed;
    }
    if (outcome == DeleteOutcome::kElsewhere) {
      report.kept.Add(full);
      keptSome = true;
    }
  }
  if (keptSome) return TreeResult::kKeptSome;
  if (!install_files::RemoveFolder(path)) {
    report.failed.Add(path);
    return TreeResult::kFailed;
  }
  return TreeResult::kRemoved;
}

}  // namespace

int DeleteFolderTree(const char* path, RemovalReport& report) {
  char pattern[MAX_PATH];
  if (std::snprintf(pattern, sizeof(pattern), "%s\\*.*", path) >= MAX_PATH) return 0;
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(pattern, &found);
  if (listing == INVALID_HANDLE_VALUE) return 0;
  FindClose(listing);
  // "C:" is what trimming leaves of a drive's root: a drive is never emptied.
  if (std::strchr(path, '\\') == nullptr) return 1;
  char realPath[MAX_PATH];
  if (!RealFolderPath(path, realPath, sizeof(realPath))) {
    report.kept.Add(path);
    return 0;
  }
  return DeleteTree(path, realPath, report) == TreeResult::kRemoved ? 1 : 0;
}

bool BoardIsRunning(const char* installFolder) {
  // Read without a default, so that looking writes nothing; handles travel as signed decimals.
  char number[32] = {};
  RegReadString(kHandlesKey, kTransHandleValue, nullptr, number, sizeof(number));
  const HWND registered = reinterpret_cast<HWND>(static_cast<LONG_PTR>(std::strtol(number, nullptr, 10)));
  if (registered != nullptr && IsWindow(registered) && GetPropA(registered, kBoardWindowProperty) != nullptr) {
    return true;
  }
  // A board started some other way still holds its program file: Windows keeps a running
  // program's file from being deleted, and Wine from being opened to be deleted.
  char program[MAX_PATH];
  if (std::snprintf(program, sizeof(program), "%s%s", installFolder, kProgramFileName) >= MAX_PATH) return false;
  HANDLE file = CreateFileA(program, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
  CloseHandle(file);
  return false;
}

UninstallConfirmDialog::UninstallConfirmDialog() : TableDialog(IDD_UNINSTALL) {}

std::span<const UninstallConfirmDialog::MessageRow> UninstallConfirmDialog::MessageTable() const {
  static const MessageRow rows[] = {
      {WM_CTLCOLORDLG, &UninstallConfirmDialog::OnControlColour},
      {WM_CTLCOLORSTATIC, &UninstallConfirmDialog::OnControlColour},
      {WM_CTLCOLORBTN, &UninstallConfirmDialog::OnControlColour},
      {WM_DRAWITEM, &UninstallConfirmDialog::OnDrawItem},
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
  RegReadString(kConfigureKey, kThisProgramDirValue, "", folder_, sizeof(folder_));
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

INT_PTR UninstallConfirmDialog::OnDrawItem(WPARAM, LPARAM lParam) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  if (item == nullptr || item->CtlID != IDC_UNINSTALL_TEXT) return FALSE;
  char text[1024] = {};
  GetWindowTextA(item->hwndItem, text, sizeof(text));
  HDC dc = item->hDC;
  RECT area = item->rcItem;
  FillRect(dc, &area, reinterpret_cast<HBRUSH>(GreyControlColour(reinterpret_cast<WPARAM>(dc))));
  HGDIOBJ previousFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(item->hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
  int top = area.top + 1;
  for (char* line = text; line != nullptr && top < area.bottom;) {
    char* next = std::strchr(line, '\n');
    if (next != nullptr) *next++ = '\0';
    RECT box = {area.left + 2, top, area.right - 2, area.bottom};
    if (line[0] == '\0') {
      top += lineHeight;
    } else if (std::strcmp(line, folder_) == 0) {
      box.bottom = top + lineHeight;
      DrawTextA(dc, line, -1, &box, DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS);
      top += lineHeight;
    } else {
      RECT measured = box;
      DrawTextA(dc, line, -1, &measured, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
      DrawTextA(dc, line, -1, &box, DT_WORDBREAK | DT_NOPREFIX);
      top += measured.bottom - measured.top;
    }
    line = next;
  }
  SelectObject(dc, previousFont);
  return TRUE;
}

void UninstallConfirmDialog::OnCancelButton(int, int, HWND) { EndDialog(IDCANCEL); }

void UninstallConfirmDialog::OnFinish(int, int, HWND) {
  // A running board would save its project into the folder again, and holds its program file:
  // nothing is deleted while it runs.
  boardRunning_ = BoardIsRunning(folder_);
  if (!boardRunning_) folderRemoved_ = DeleteFolderTree(folder_, report_) != 0;
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
  if (confirm.BoardWasRunning()) {
    char text[256];
    std::snprintf(text, sizeof(text), kBoardRunningFormat, kProgramName);
    ShowMessage(backdrop, text, kProgramName, MB_ICONERROR);
    backdropDialog.EndDialog(IDCANCEL);
    return;
  }
  RemovalReport report = confirm.Report();
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  // The entries are made for every user; earlier versions made them for the installing account.
  for (const int desktop : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOP}) {
    RemoveShellEntry(backdrop, desktop, kGroupName, 0, &report);
    PumpWait(64, 1);
  }
  for (const int programs : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
    RemoveShellEntry(backdrop, programs, kGroupName, 1, &report);
    PumpWait(64, 1);
  }
  SetCursor(previous);
  // Whatever is still there is named, so that a removal cut short is never reported as done.
  if (!confirm.FolderRemoved() && report.kept.Empty() && report.failed.Empty()) report.failed.Add(confirm.Folder());
  if (report.kept.Empty() && report.failed.Empty()) {
    char done[128];
    std::snprintf(done, sizeof(done), kUninstalledFormat, kProgramName);
    ShowMessage(backdrop, done, kProgramName, MB_ICONINFORMATION);
  } else {
    ShowMessage(backdrop, DescribeLeftovers(report).c_str(), kProgramName, MB_ICONERROR);
  }
  backdropDialog.EndDialog(IDOK);
}
