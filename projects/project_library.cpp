// Listing the project library in the board's combo box.
#include "projects/project_library.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "resources/resource.h"
#include "state/board_state.h"

const char* FileNameOfPath(const char* path) {
  const int length = static_cast<int>(std::strlen(path));
  for (int i = length - 1; i >= 2; --i) {
    if (path[i] == '\\') return path + i + 1;
  }
  return "";
}

namespace {

// Adds the folder's project files to the combo box, at most kMaxListedProjects; -1 when the
// folder could not be searched.
int AddProjectFiles(HWND combo) {
  char pattern[kPathSize + 8];
  std::snprintf(pattern, sizeof(pattern), "%s*.vrl", ProgramFolder);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  int added = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    ++added;
  } while (added < kMaxListedProjects && FindNextFileA(search, &found));
  FindClose(search);
  return added;
}

}  // namespace

int ListProjects() {
  HWND combo = GetDlgItem(BoardHandle, IDC_PROJECT_COMBO);
  // Thousands of entries removed and added one by one would each update the list's scroll bar
  // and redraw; it is drawn once at the end.
  SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  const int added = AddProjectFiles(combo);
  SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(combo, nullptr, TRUE);
  if (added < 0) return 0;

  const char* currentName = FileNameOfPath(CurrentProjectPath);
  if (currentName[0] != '\0') {
    SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(currentName));
    return 1;
  }
  if (SendMessageA(combo, CB_GETCOUNT, 0, 0) <= 0) return 0;
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  char first[kPathSize] = {};
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, 0, 0);
  if (length > 0 && length < kPathSize) SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
  std::snprintf(CurrentProjectPath, kPathSize, "%s%s", ProgramFolder, first);
  return 1;
}
