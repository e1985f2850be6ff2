// Shell folders, shortcuts and the program group.
#include "installer/shell_entries.h"

#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "installer/install_files.h"
#include "installer/install_logic.h"
#include "installer/install_state.h"

namespace {

constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool IsCommonFolder(int kind) { return kind == CSIDL_COMMON_DESKTOPDIRECTORY || kind == CSIDL_COMMON_PROGRAMS; }
bool IsProgramsFolder(int kind) { return kind == CSIDL_PROGRAMS || kind == CSIDL_COMMON_PROGRAMS; }
const char* ValueNameOf(int kind) { return IsProgramsFolder(kind) ? "Programs" : "Desktop"; }

bool ReadShellFolderValue(HKEY key, const char* name, char* path) {
  DWORD type = 0;
  DWORD size = MAX_PATH;
  char value[MAX_PATH + 1] = {};
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) return false;
  CopyBounded(path, value, MAX_PATH);
  return true;
}

// OLE stays initialised for the life of the process: the installer is its only user.
bool InitialiseOle() { return SUCCEEDED(OleInitialize(nullptr)); }

}  // namespace

int ResolveShellFolder(HWND owner, int kind, char* path) {
  if (!SHGetSpecialFolderPathA(owner, path, kind, FALSE)) return 0;
  LPITEMIDLIST items = nullptr;
  bool found = false;
  if (SUCCEEDED(SHGetSpecialFolderLocation(owner, kind, &items)) && items != nullptr) {
    found = SHGetPathFromIDListA(items, path) != FALSE;
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
      allocator->Free(items);
      allocator->Release();
    }
  }
  // The folders for every user are named in the machine's key, the user's own in the user's.
  if (!found && IsCommonFolder(kind)) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShellFoldersKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      char common[32];
      std::snprintf(common, sizeof(common), "Common %s", ValueNameOf(kind));
      found = ReadShellFolderValue(key, common, path);
      RegCloseKey(key);
    }
  }
  if (!found && !IsCommonFolder(kind)) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      char common[32];
      std::snprintf(common, sizeof(common), "Common %s", ValueNameOf(kind));
      if (ReadShellFolderValue(key, ValueNameOf(kind), path)) {
        TrimPathTail(path);
        found = true;
      } else if (ReadShellFolderValue(key, common, path)) {
        found = true;
      }
      RegCloseKey(key);
    }
  }
  if (!found) {
    char windows[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    TrimPathTail(windows);
    std::snprintf(path, MAX_PATH, "%s\\Start Menu\\Programs", windows);
  }
  TrimPathTail(path);
  return PathExists(path) ? 1 : 0;
}

int CreateShellEntry(HWND owner, int kind, const char* target, const char* arguments, const char* name,
                     const char* workingFolder, const char* iconFile, int group) {
  if (!InitialiseOle()) return 0;
  char folder[MAX_PATH + 1] = {};
  if (!ResolveShellFolder(owner, kind, folder)) return 0;
  char path[MAX_PATH + 1] = {};
  if (group == 1) {
    std::snprintf(path, sizeof(path), "%s\\%s", folder, name);
    return install_files::CreateFolder(path) ? 1 : 0;
  }
  if (IsProgramsFolder(kind)) std::snprintf(path, sizeof(path), "%s\\%s\\%s", folder, kGroupName, name);
  else std::snprintf(path, sizeof(path), "%s\\%s", folder, name);

  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return 0;
  }
  if (target != nullptr && target[0] != '\0') link->SetPath(target);
  if (arguments != nullptr && arguments[0] != '\0') link->SetArguments(arguments);
  if (workingFolder != nullptr && workingFolder[0] != '\0') link->SetWorkingDirectory(workingFolder);
  if (iconFile != nullptr && iconFile[0] != '\0') link->SetIconLocation(iconFile, 0);
  IPersistFile* file = nullptr;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    link->Release();
    return 0;
  }
  char lower[MAX_PATH + 1];
  CopyBounded(lower, path, sizeof(lower));
  for (char* c = lower; *c != '\0'; ++c) *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  if (std::strstr(lower, ".lnk") == nullptr) {
    char withExtension[MAX_PATH + 1];
    std::snprintf(withExtension, sizeof(withExtension), "%s.lnk", path);
    CopyBounded(path, withExtension, sizeof(path));
  }
  // Written under a temporary name and then put in place in one step, so that a save cut off
  // halfway leaves the earlier shortcut as it was.
  char temporary[MAX_PATH + 8];
  if (std::snprintf(temporary, sizeof(temporary), "%s%s", path, kTemporarySuffix) >= MAX_PATH) {
    file->Release();
    link->Release();
    return 0;
  }
  // What stands under the temporary name goes first, through a check that it is no link: saving
  // onto a link would write into whatever it points at.
  if (PathExists(temporary) && DeleteFileAt(temporary) != DeleteOutcome::kDeleted) {
    file->Release();
    link->Release();
    return 0;
  }
  WCHAR widePath[MAX_PATH + 1] = {};
  MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, temporary, -1, widePath, MAX_PATH);
  int result = install_files::SaveShortcut(file, widePath) == S_OK ? 1 : 0;
  file->Release();
  link->Release();
  if (result == 1) result = install_files::Move(temporary, path) ? 1 : 0;
  if (result == 0) DiscardFile(temporary);
  return result;
}

int RemoveShellEntry(HWND owner, int kind, const char* name, int group, RemovalReport* report) {
  if (!InitialiseOle()) return 0;
  char path[MAX_PATH + 1] = {};
  if (!ShellEntryPath(owner, kind, name, group, path) || !PathExists(path)) return 0;
  if (group != 1) {
    const DeleteOutcome outcome = DeleteFileAt(path);
    if (report != nullptr && outcome == DeleteOutcome::kElsewhere) report->kept.Add(path);
    if (report != nullptr && outcome == DeleteOutcome::kFailed) report->failed.Add(path);
    return outcome == DeleteOutcome::kDeleted ? 1 : 0;
  }
  char realGroup[MAX_PATH + 1];
  if (!RealFolderPath(path, realGroup, sizeof(realGroup))) {
    if (report != nullptr) report->kept.Add(path);
    return 0;
  }
  bool filesGone = true;
  // Something the group keeps that is not ours: a subfolder, or a link that leads elsewhere.
  bool kept = false;
  char pattern[MAX_PATH + 8];
  std::snprintf(pattern, sizeof(pattern), "%s\\*.*", path);
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA(pattern, &found);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      if (found.cFileName[0] == '\0' || std::strcmp(found.cFileName, ".") == 0 ||
          std::strcmp(found.cFileName, "..") == 0) {
        continue;
      }
      char entry[MAX_PATH + 1];
      if (std::snprintf(entry, sizeof(entry), "%s\\%s", path, found.cFileName) >= MAX_PATH) {
        filesGone = false;
        continue;
      }
      // A subfolder is the user's: it stays, and keeps the group.
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        kept = true;
        if (report != nullptr) report->kept.Add(entry);
        continue;
      }
      const DeleteOutcome outcome = DeleteContainedFile(entry, realGroup, found.cFileName);
      if (outcome == DeleteOutcome::kDeleted) continue;
      // A link that leads elsewhere is left, like a subfolder: not a failure of ours.
      if (outcome == DeleteOutcome::kElsewhere) {
        kept = true;
        if (report != nullptr) report->kept.Add(entry);
        continue;
      }
      filesGone = false;
      if (report != nullptr) report->failed.Add(entry);
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
  }
  if (filesGone && install_files::RemoveFolder(path)) return 1;
  if (filesGone && !kept && report != nullptr) report->failed.Add(path);
  return filesGone && kept ? 1 : 0;
}

int ShellEntryPath(HWND owner, int kind, const char* name, int group, char* path) {
  char folder[MAX_PATH + 1] = {};
  if (!ResolveShellFolder(owner, kind, folder)) return 0;
  int length;
  if (group == 1) length = std::snprintf(path, MAX_PATH, "%s\\%s", folder, name);
  else if (IsProgramsFolder(kind)) length = std::snprintf(path, MAX_PATH, "%s\\%s\\%s.lnk", folder, kGroupName, name);
  else length = std::snprintf(path, MAX_PATH, "%s\\%s.lnk", folder, name);
  return length < MAX_PATH ? 1 : 0;
}

bool ShellEntryExists(HWND owner, int kind, const char* name, int group) {
  char path[MAX_PATH + 1] = {};
  return ShellEntryPath(owner, kind, name, group, path) == 1 && PathExists(path);
}
