// The project commands. The board's slots only ever go back into the file they were loaded from
// or last saved to (BoardSlotsPath): when the current path names another file, the board is
// treated as having no file, and a board without a file that holds text is named before it
// could be lost.
#include "projects/project_commands.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "board/board_state.h"
#include "desktop/bounded_copy.h"
#include "desktop/settings.h"
#include "projects/project_file.h"
#include "projects/project_library.h"
#include "projects/project_prompt.h"
#include "resources/resource.h"

namespace {

constexpr const char* kDeleteQuestionFormat =
    "You are about to delete project:\n%s\n\nDo you want to delete this project?";

bool CurrentFileHoldsTheSlots() {
  return ProjectFileExists(CurrentProjectPath) && SlotsBelongTo(CurrentProjectPath);
}

bool PageHoldsText(const ProjectPage& page) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (page.names[slot][0] != '\0' || page.texts[slot][0] != '\0') return true;
  }
  return false;
}

// After a load failed the board still shows the previous project: the current path goes back to
// that project's file (or to none), so the next save cannot put its slots into the new file.
void KeepCurrentWithTheSlots() {
  CopyBounded(CurrentProjectPath, ProjectFileExists(BoardSlotsPath) ? BoardSlotsPath : "", kPathSize);
  HWND combo = GetDlgItem(BoardHandle, IDC_PROJECT_COMBO);
  const char* name = FileNameOfPath(CurrentProjectPath);
  const LRESULT entry = name[0] != '\0' ? SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>(name))
                                        : CB_ERR;
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

void LoadCurrentProject() {
  if (LoadProjectFile(CurrentProjectPath, BoardPage, 1) == 1) {
    ShowPage();
  } else {
    KeepCurrentWithTheSlots();
  }
}

void SelectedEntryAsCurrent() {
  HWND combo = GetDlgItem(BoardHandle, IDC_PROJECT_COMBO);
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  char name[kPathSize] = {};
  if (selected != CB_ERR && SendMessageA(combo, CB_GETLBTEXTLEN, selected, 0) < kPathSize) {
    SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(name));
  }
  std::snprintf(CurrentProjectPath, kPathSize, "%s%s", ProgramFolder, name);
}

}  // namespace

void SaveCurrentIfPresent() {
  if (CurrentFileHoldsTheSlots()) {
    CaptureBoard();
    SaveProjectFile(CurrentProjectPath, BoardPage, 1);
    return;
  }
  CaptureBoard();
  if (!PageHoldsText(BoardPage)) return;
  // Texts that belong to no file would be lost by the project change that follows.
  if (PromptProjectName(kSaveAsTitle, 2) == 1) SaveProjectFile(CurrentProjectPath, BoardPage, 1);
}

void NewProject() {
  SaveCurrentIfPresent();
  if (PromptProjectName(kNewProjectTitle, 1) == 0) return;
  ClearPage(BoardPage);
  ShowPage();
  SaveProjectFile(CurrentProjectPath, BoardPage, 1);
  ListProjects();
  FocusProjectCombo();
  SaveSettings();
}

void SaveProject() {
  if (!CurrentFileHoldsTheSlots()) {
    SaveProjectAs();
    return;
  }
  CaptureBoard();
  if (SaveProjectFile(CurrentProjectPath, BoardPage, 1) != 0) {
    FocusProjectCombo();
    SaveSettings();
  }
}

void SaveProjectAs() {
  CaptureBoard();
  if (PromptProjectName(kSaveAsTitle, 2) == 0) return;
  SaveProjectFile(CurrentProjectPath, BoardPage, 1);
  ListProjects();
  FocusProjectCombo();
  SaveSettings();
}

void DeleteProject() {
  if (CurrentProjectPath[0] == '\0') return;
  char question[kPathSize + 96];
  std::snprintf(question, sizeof(question), kDeleteQuestionFormat, CurrentProjectPath);
  if (MessageBoxA(BoardHandle, question, kProgramName, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDNO) return;

  CaptureBoard();
  DeleteFileA(CurrentProjectPath);
  HWND combo = GetDlgItem(BoardHandle, IDC_PROJECT_COMBO);
  const LRESULT entry = SendMessageA(combo, CB_FINDSTRINGEXACT, 0,
                                     reinterpret_cast<LPARAM>(FileNameOfPath(CurrentProjectPath)));
  if (entry != CB_ERR) SendMessageA(combo, CB_DELETESTRING, entry, 0);
  CurrentProjectPath[0] = '\0';
  if (ListProjects() == 1) {
    SelectedEntryAsCurrent();
    LoadCurrentProject();
  }
  SaveSettings();
}

void ChangeProject() {
  SaveCurrentIfPresent();
  SelectedEntryAsCurrent();
  LoadCurrentProject();
  SaveSettings();
}

int SaveBoardOnClose() {
  if (CurrentFileHoldsTheSlots()) return SaveProjectFile(CurrentProjectPath, BoardPage, 1);
  if (PromptProjectName(kSaveAsTitle, 2) == 1) return SaveProjectFile(CurrentProjectPath, BoardPage, 1);
  return 0;
}
