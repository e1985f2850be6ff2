// Loading and saving the board's project, and copying between the board and its page.
#include "projects/project_file.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "desktop/record_text.h"
#include "desktop/settings.h"
#include "projects/page_file.h"
#include "state/board_state.h"

namespace {

constexpr const char* kErrorSavingFormat = "Error saving:\n%s\n%s";
constexpr const char* kCannotLoadFormat = "This project cannot be loaded:\n%s\n%s";

// What the file system says about path before it is opened: missing, a folder, or (for the
// board's own project) a size that is no project's. A longer file would lose its tail at the
// board's next save.
FileFailure ProblemBeforeLoading(const char* path, bool boardProject) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path == nullptr || path[0] == '\0' || GetFileAttributesExA(path, GetFileExInfoStandard, &data) == 0) {
    const FileFailure failure = FailureOfSystemError(GetLastError(), 0);
    return failure.problem == FileProblem::Other ? FileFailure{FileProblem::NotFound, 0} : failure;
  }
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {FileProblem::NotAFile, 0};
  const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  const FileProblem sized = ProblemOfProjectSize(size);
  if (sized == FileProblem::TooShort || (boardProject && sized == FileProblem::TooLong)) return {sized, 0};
  return {};
}

}  // namespace

namespace {

// How the last capture wrote each slot into the page.
SlotFit capturedFits[kSlotCount] = {};

// One character more than a field holds, so that a longer text is seen to be cut.
FieldFit CaptureField(int control, char* field, int size) {
  static wchar_t shown[kTextFieldSize + 1];
  const int length = GetDlgItemTextW(BoardHandle, control, shown, size + 1);
  return ToRecordText(shown, length, field, size);
}

}  // namespace

void CaptureBoard() {
  ClearPage(BoardPage);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    capturedFits[slot].name = CaptureField(CopyButtonOfSlot(slot), BoardPage.names[slot], static_cast<int>(kButtonNameSize));
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    capturedFits[slot].text = CaptureField(TextFieldOfSlot(slot), BoardPage.texts[slot], static_cast<int>(kTextFieldSize));
  }
}

int ConfirmCapturedTexts() { return UserAcceptsRecordLosses(BoardHandle, capturedFits) ? 1 : 0; }

void ShowPage() {
  // A visible button draws itself at once when its caption changes, and a field invalidates
  // itself: drawn one by one, the 66 controls cost a third of a project change. The board is
  // drawn once instead, after the last one. A hidden board is left alone: turning redrawing
  // back on would mark it visible.
  const bool drawnOnce = BoardHandle != nullptr && IsWindowVisible(BoardHandle);
  if (drawnOnce) SendMessageA(BoardHandle, WM_SETREDRAW, FALSE, 0);
  // The page's fields are terminated within their widths whenever a file is read.
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetDlgItemTextA(BoardHandle, CopyButtonOfSlot(slot), BoardPage.names[slot]);
  }
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetDlgItemTextA(BoardHandle, TextFieldOfSlot(slot), BoardPage.texts[slot]);
  }
  if (drawnOnce) {
    SendMessageA(BoardHandle, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(BoardHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void BoardTitle(const char* path) {
  if (BoardHandle == nullptr) return;
  char title[kPathSize + 16];
  std::snprintf(title, sizeof(title), "%s >%s", kProgramName, path != nullptr ? path : "");
  // A new caption is sent to the window manager and the frame is drawn again; saving into the
  // file the board already names changes nothing.
  char shown[kPathSize + 16];
  if (GetWindowTextA(BoardHandle, shown, sizeof(shown)) > 0 && std::strcmp(shown, title) == 0) return;
  SetWindowTextA(BoardHandle, title);
}

int SaveProjectFile(const char* path, const ProjectPage& page, int retitle) {
  FileFailure failure;
  if (WriteProjectFileSafely(path, page, &failure) != SaveResult::Ok) {
    char cause[kFileFailureTextSize];
    DescribeFileFailure(failure, cause, sizeof(cause));
    char message[kPathSize + kFileFailureTextSize + 32];
    std::snprintf(message, sizeof(message), kErrorSavingFormat, path, cause);
    if (SessionEnding != 1) MessageBoxA(BoardHandle, message, kProgramName, MB_ICONSTOP);
    return 0;
  }
  if (retitle == 1) {
    BoardTitle(path);
    CopyBounded(BoardSlotsPath, path, sizeof(BoardSlotsPath));
  }
  return 1;
}

int LoadProjectFile(const char* path, ProjectPage& page, int retitle, FileFailure* failure) {
  FileFailure found = ProblemBeforeLoading(path, retitle == 1);
  if (found.problem != FileProblem::None) {
    if (failure != nullptr) *failure = found;
    return 0;
  }
  // A file that cannot be read whole leaves the page as it was: the board keeps showing those
  // slots, and Find searches the page, so a cleared or half-read page would hide what is shown.
  static ProjectPage whole;
  if (ReadProjectFile(path, whole, failure) != 1) return 0;
  page = whole;
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

void ReportUnloadableProject(const char* path, const FileFailure& failure) {
  char cause[kFileFailureTextSize];
  DescribeFileFailure(failure, cause, sizeof(cause));
  char message[kPathSize + kFileFailureTextSize + 48];
  std::snprintf(message, sizeof(message), kCannotLoadFormat, path, cause);
  MessageBoxA(BoardHandle, message, kProgramName, MB_ICONSTOP);
}
