// The project commands. The board's slots only ever go back into the file they were loaded from
// or last saved to (BoardSlotsPath): when the current path names another file, the board is
// treated as having no file, and a board without a file that holds text is named before it
// could be lost. A command that would replace the slots goes ahead only once they are safe, and
// a failed save leaves the board, the current project and the combo box as they were.
#include "projects/project_commands.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "desktop/settings.h"
#include "projects/consolidation_journal.h"
#include "projects/file_operations.h"
#include "projects/project_file.h"
#include "projects/project_library.h"
#include "projects/project_prompt.h"
#include "resources/resource.h"
#include "state/board_state.h"

namespace {

constexpr const char* kDeleteQuestionFormat =
    "You are about to delete project:\n%s\n\nDo you want to delete this project?";
constexpr const char* kErrorDeletingFormat = "Error deleting:\n%s";

// A project that an unfinished consolidation still has to replace is not the slots' file: saved
// there, they would be overwritten when the consolidation is finished at the next start, so they
// are offered a name of their own instead. The journal is looked for before it is read, so that
// the usual save opens no other file.
bool CurrentFileHoldsTheSlots() {
  if (!ProjectFileExists(CurrentProjectPath) || !SlotsBelongTo(CurrentProjectPath)) return false;
  const std::string journal = ConsolidationJournalPath(ProgramFolder);
  return !ProjectFileExists(journal.c_str()) ||
         !PendingConsolidationLists(ProgramFolder, FileNameOfPath(CurrentProjectPath));
}

HWND ProjectCombo() { return GetDlgItem(BoardHandle, IDC_PROJECT_COMBO); }

// Selects the entry with exactly this file name, or none.
void SelectComboEntry(const char* name) {
  const LRESULT entry = name[0] != '\0' ? SendMessageA(ProjectCombo(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                       reinterpret_cast<LPARAM>(name))
                                        : CB_ERR;
  SendMessageA(ProjectCombo(), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

// An entry whose file is no longer in the program folder leaves the list.
void ForgetVanishedEntry(const char* name) {
  if (name[0] == '\0') return;
  char path[kPathSize];
  std::snprintf(path, sizeof(path), "%s%s", ProgramFolder, name);
  if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return;
  const LRESULT entry =
      SendMessageA(ProjectCombo(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
  if (entry != CB_ERR) SendMessageA(ProjectCombo(), CB_DELETESTRING, static_cast<WPARAM>(entry), 0);
}

// The board still shows the project its slots came from: the current path goes back to that
// project's file (or to none), so the next save cannot put its slots into another file, and the
// combo box and the caption name that same project.
void KeepCurrentWithTheSlots() {
  char previous[kPathSize];
  CopyBounded(previous, CurrentProjectPath, sizeof(previous));
  CopyBounded(CurrentProjectPath, ProjectFileExists(BoardSlotsPath) ? BoardSlotsPath : "", kPathSize);
  ForgetVanishedEntry(FileNameOfPath(previous));
  ForgetVanishedEntry(FileNameOfPath(BoardSlotsPath));
  SelectComboEntry(FileNameOfPath(CurrentProjectPath));
  BoardTitle(CurrentProjectPath);
}

// After a project chosen in the list could not be loaded: the board goes back to its own
// project, then says which file failed and why.
void RefuseUnloadableChoice(const FileFailure& failure) {
  char refused[kPathSize];
  CopyBounded(refused, CurrentProjectPath, sizeof(refused));
  KeepCurrentWithTheSlots();
  ReportUnloadableProject(refused, failure);
}

void LoadCurrentProject() {
  FileFailure failure;
  if (LoadProjectFile(CurrentProjectPath, BoardPage, 1, &failure) == 1) {
    ShowPage();
  } else {
    RefuseUnloadableChoice(failure);
  }
}

// The text of the combo box's selected entry, "" when none.
void SelectedEntry(char* name, std::size_t size) {
  name[0] = '\0';
  const LRESULT selected = SendMessageA(ProjectCombo(), CB_GETCURSEL, 0, 0);
  if (selected != CB_ERR && SendMessageA(ProjectCombo(), CB_GETLBTEXTLEN, selected, 0) < static_cast<LRESULT>(size)) {
    SendMessageA(ProjectCombo(), CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(name));
  }
}

// Asks for a name and saves the captured page there. Returns 1 when saved, 0 when the user
// cancelled, -1 when the save failed (the current path is then back where it was).
int SaveUnderNewName() {
  char previous[kPathSize];
  CopyBounded(previous, CurrentProjectPath, sizeof(previous));
  if (PromptProjectName(kSaveAsTitle, 2) != 1) return 0;
  if (SaveProjectFile(CurrentProjectPath, BoardPage, 1) == 1) return 1;
  CopyBounded(CurrentProjectPath, previous, kPathSize);
  return -1;
}

}  // namespace

int SaveCurrentIfPresent() {
  CaptureBoard();
  if (ConfirmCapturedTexts() != 1) return 0;
  if (CurrentFileHoldsTheSlots()) return SaveProjectFile(CurrentProjectPath, BoardPage, 1);
  if (!PageHoldsText(BoardPage)) return 1;
  // Texts that belong to no file (never saved, or their file has gone) would be lost by the
  // change that follows: they are offered Save As first, and a cancelled name keeps them.
  const int named = SaveUnderNewName();
  if (named == 1) ListProjects();
  return named == 1 ? 1 : 0;
}

void NewProject() {
  if (SaveCurrentIfPresent() != 1) return;
  char previous[kPathSize];
  CopyBounded(previous, CurrentProjectPath, sizeof(previous));
  if (PromptProjectName(kNewProjectTitle, 1) == 0) return;
  // The empty project is written before the board shows it: a board blanked by a failed save
  // would still count as the previous project and overwrite it at the next save.
  ClearPage(BoardPage);
  if (SaveProjectFile(CurrentProjectPath, BoardPage, 1) != 1) {
    CopyBounded(CurrentProjectPath, previous, kPathSize);
    return;
  }
  ShowPage();
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
  if (ConfirmCapturedTexts() != 1) return;
  if (SaveProjectFile(CurrentProjectPath, BoardPage, 1) != 0) {
    FocusProjectCombo();
    SaveSettings();
  }
}

void SaveProjectAs() {
  CaptureBoard();
  if (ConfirmCapturedTexts() != 1) return;
  if (SaveUnderNewName() != 1) return;
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
  // A project that could not be deleted is still there: it stays current with the board as it
  // was, rather than the board moving on as if it were gone.
  if (!FileRemove(CurrentProjectPath) && ProjectFileExists(CurrentProjectPath)) {
    char message[kPathSize + 32];
    std::snprintf(message, sizeof(message), kErrorDeletingFormat, CurrentProjectPath);
    MessageBoxA(BoardHandle, message, kProgramName, MB_ICONSTOP);
    return;
  }
  const LRESULT entry = SendMessageA(ProjectCombo(), CB_FINDSTRINGEXACT, 0,
                                     reinterpret_cast<LPARAM>(FileNameOfPath(CurrentProjectPath)));
  if (entry != CB_ERR) SendMessageA(ProjectCombo(), CB_DELETESTRING, entry, 0);
  CurrentProjectPath[0] = '\0';
  if (ListProjects() == 1) {
    char first[kPathSize];
    SelectedEntry(first, sizeof(first));
    std::snprintf(CurrentProjectPath, kPathSize, "%s%s", ProgramFolder, first);
    LoadCurrentProject();
  }
  SaveSettings();
}

void ChangeProject() {
  // Taken first: naming the board's own texts lists the library again and moves the selection.
  char chosen[kPathSize];
  SelectedEntry(chosen, sizeof(chosen));
  if (SaveCurrentIfPresent() != 1) {
    KeepCurrentWithTheSlots();
    return;
  }
  std::snprintf(CurrentProjectPath, kPathSize, "%s%s", ProgramFolder, chosen);
  // A successful load has stored the settings with the new current project already.
  FileFailure failure;
  if (LoadProjectFile(CurrentProjectPath, BoardPage, 1, &failure) == 1) {
    ShowPage();
    SelectComboEntry(chosen);
  } else {
    RefuseUnloadableChoice(failure);
    SaveSettings();
  }
}

BoardSave SaveBoardOnClose() {
  if (CurrentFileHoldsTheSlots()) {
    return SaveProjectFile(CurrentProjectPath, BoardPage, 1) == 1 ? BoardSave::Saved : BoardSave::Failed;
  }
  // An empty board without a file has nothing to lose.
  if (!PageHoldsText(BoardPage)) return BoardSave::Saved;
  switch (SaveUnderNewName()) {
    case 1:
      return BoardSave::Saved;
    case 0:
      return BoardSave::NotNamed;
    default:
      return BoardSave::Failed;
  }
}

int SaveBoardIntoItsFile() {
  if (!CurrentFileHoldsTheSlots()) return 1;
  CaptureBoard();
  if (ConfirmCapturedTexts() != 1) return 0;
  return SaveProjectFile(CurrentProjectPath, BoardPage, 1);
}

void ReloadBoardFromItsFile() {
  if (!CurrentFileHoldsTheSlots()) return;
  if (LoadProjectFile(CurrentProjectPath, BoardPage, 1) == 1) {
    ShowPage();
    return;
  }
  // The file may have been rewritten and the board could not take its new content: the slots it
  // shows no longer belong to the file, so the next save asks for a name instead of writing them
  // over it, and the caption and the list no longer name it.
  BoardSlotsPath[0] = '\0';
  KeepCurrentWithTheSlots();
}

void SaveBoardAtSessionEnd() {
  if (CurrentFileHoldsTheSlots()) SaveProjectFile(CurrentProjectPath, BoardPage, 1);
}
