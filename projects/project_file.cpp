// Loading and saving the board's project, and copying between the board and its page.
#include "projects/project_file.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "desktop/settings.h"
#include "projects/page_file.h"
#include "state/board_state.h"

namespace {

constexpr const char* kErrorSavingFormat = "Error saving:\n%s";

}  // namespace

void CaptureBoard() {
  ClearPage(BoardPage);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    GetDlgItemTextA(BoardHandle, CopyButtonOfSlot(slot), BoardPage.names[slot], static_cast<int>(kButtonNameSize));
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    GetDlgItemTextA(BoardHandle, TextFieldOfSlot(slot), BoardPage.texts[slot], static_cast<int>(kTextFieldSize));
  }
}

void ShowPage() {
  // The page's fields are terminated within their widths whenever a file is read.
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetDlgItemTextA(BoardHandle, CopyButtonOfSlot(slot), BoardPage.names[slot]);
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetDlgItemTextA(BoardHandle, TextFieldOfSlot(slot), BoardPage.texts[slot]);
  }
}

void BoardTitle(const char* path) {
  if (BoardHandle == nullptr) return;
  char title[kPathSize + 16];
  std::snprintf(title, sizeof(title), "%s >%s", kProgramName, path != nullptr ? path : "");
  SetWindowTextA(BoardHandle, title);
}

int SaveProjectFile(const char* path, const ProjectPage& page, int retitle) {
  if (WriteProjectFileSafely(path, page) != SaveResult::Ok) {
    char message[kPathSize + 32];
    std::snprintf(message, sizeof(message), kErrorSavingFormat, path);
    if (SessionEnding != 1) MessageBoxA(BoardHandle, message, kProgramName, MB_ICONSTOP);
    return 0;
  }
  if (retitle == 1) {
    BoardTitle(path);
    CopyBounded(BoardSlotsPath, path, sizeof(BoardSlotsPath));
  }
  return 1;
}

int LoadProjectFile(const char* path, ProjectPage& page, int retitle) {
  if (ReadProjectFile(path, page) != 1) return 0;
  if (retitle == 1) {
    BoardTitle(path);
    CopyBounded(BoardSlotsPath, path, sizeof(BoardSlotsPath));
    SaveSettings();
  }
  return 1;
}

bool ProjectFileExists(const char* path) {
  if (path == nullptr || path[0] == '\0') return false;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool SlotsBelongTo(const char* path) {
  return path != nullptr && path[0] != '\0' && EqualIgnoringCase(BoardSlotsPath, path);
}
