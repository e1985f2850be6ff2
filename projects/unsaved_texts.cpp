// The question put when the board's texts could not be saved before the program ends, and the
// save into any folder that it offers (the project folder itself may be the one that refuses).
#include "projects/unsaved_texts.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/program_name.h"
#include "projects/project_commands.h"
#include "projects/project_file.h"
#include "projects/project_library.h"
#include "state/board_state.h"

namespace {

constexpr const char* kUnsavedTextsQuestion =
    "The board's texts are not saved in any file. Choose Yes to save them under another name or in "
    "another folder, No to close without saving them, or Cancel to go back to the board.";
constexpr const char* kSaveElsewhereTitle = "Save the Board's Texts As";
constexpr char kProjectFilter[] = "Varnel projects (*.vrl)\0*.vrl\0All files (*.*)\0*.*\0";

enum class Answer { SaveElsewhere, EndWithoutSaving, BackToBoard };

Answer AskAboutUnsavedTexts() {
  switch (MessageBoxA(BoardHandle, kUnsavedTextsQuestion, kProgramName, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
      return Answer::SaveElsewhere;
    case IDNO:
      return Answer::EndWithoutSaving;
    default:
      return Answer::BackToBoard;
  }
}

// The system's Save As dialog, opening on the project folder with the current name proposed.
// Returns Saved, Failed (the error was shown) or NotNamed when the user cancelled.
BoardSave SaveElsewhere() {
  char path[kPathSize] = {};
  CopyBounded(path, FileNameOfPath(CurrentProjectPath), sizeof(path));
  OPENFILENAMEA dialog;
  std::memset(&dialog, 0, sizeof(dialog));
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = BoardHandle;
  dialog.lpstrFilter = kProjectFilter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof(path);
  dialog.lpstrInitialDir = ProgramFolder;
  dialog.lpstrTitle = kSaveElsewhereTitle;
  dialog.lpstrDefExt = "vrl";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (GetSaveFileNameA(&dialog) == 0) return BoardSave::NotNamed;
  if (SaveProjectFile(path, BoardPage, 1) != 1) return BoardSave::Failed;
  CopyBounded(CurrentProjectPath, path, kPathSize);
  return BoardSave::Saved;
}

}  // namespace

EndingChoice SaveTextsBeforeEnding() {
  BoardSave save = SaveBoardOnClose();
  while (save == BoardSave::Failed || save == BoardSave::NotNamed) {
    switch (AskAboutUnsavedTexts()) {
      case Answer::SaveElsewhere:
        save = SaveElsewhere();
        break;
      case Answer::EndWithoutSaving:
        return EndingChoice::End;
      case Answer::BackToBoard:
        return EndingChoice::StayOpen;
    }
  }
  return save == BoardSave::GoBack ? EndingChoice::StayOpen : EndingChoice::End;
}
