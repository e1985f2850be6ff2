// Every command of the board arrives here: copy buttons, check boxes, combo box, menu commands,
// shortcuts and the commands other parts post to the board. One row per command or range of
// commands says what runs, whether the focus returns to the project combo box afterwards, and
// whether Reposition mode holds the command back.
#include <cstddef>

#include "board/board_dialog.h"
#include "board/copy_action.h"
#include "board/reposition.h"
#include "board/running_copy.h"
#include "board/support_links.h"
#include "desktop/about_box.h"
#include "desktop/program_name.h"
#include "desktop/screen_tips.h"
#include "desktop/tray_icon.h"
#include "dialogs/edit_text_field.h"
#include "dialogs/help_window.h"
#include "dialogs/rename_buttons.h"
#include "dialogs/slot_menu.h"
#include "projects/consolidate_dialog.h"
#include "projects/find_dialog.h"
#include "projects/project_commands.h"
#include "projects/project_file.h"
#include "resources/resource.h"
#include "state/board_state.h"

namespace {

constexpr const char* kSelectFieldFirst =
    "Please make a selection first; by clicking in the editbox field that you want to edit.";

struct BoardCommand {
  int firstId;
  int lastId;
  // Ends with the focus on the project combo box.
  bool focus;
  // Held back while Reposition mode collects clicks, and while another command is still running
  // (from its message box or prompt), since these replace or save the slots.
  bool replacesSlots;
  void (*run)(int id, int code, LPARAM lParam);
};

// The menu toggles: the check mark is the state, the flag follows it.
void ToggleMenuOption(UINT command, int& flag) {
  const bool wasChecked = BoardMenu.IsChecked(command);
  flag = wasChecked ? 0 : 1;
  BoardMenu.Check(command, !wasChecked);
  DrawMenuBar(BoardHandle);
}

void MinOnEachCopyClicked(int, int, LPARAM) {
  MinOnEachCopy = IsDlgButtonChecked(BoardHandle, IDC_MIN_ON_EACH_COPY) == BST_CHECKED ? 1 : 0;
}

void TopMostClicked(int, int, LPARAM) {
  TopMost = IsDlgButtonChecked(BoardHandle, IDC_TOPMOST) == BST_CHECKED ? 1 : 0;
  PlaceBoardInBand(TopMost == 1);
}

void ProjectComboChanged(int, int code, LPARAM) {
  if (code == CBN_SELCHANGE) ChangeProject();
}

void NewProjectCommand(int, int, LPARAM) { NewProject(); }
void SaveProjectCommand(int, int, LPARAM) { SaveProject(); }
void SaveProjectAsCommand(int, int, LPARAM) { SaveProjectAs(); }
void DeleteProjectCommand(int, int, LPARAM) { DeleteProject(); }
void CloseBoard(int, int, LPARAM) { PostMessageA(BoardHandle, WM_CLOSE, 0, 0); }
void RenameButtonsCommand(int, int, LPARAM) { RunRenameButtons(BoardHandle); }

void EditTextFieldCommand(int, int, LPARAM) {
  if (CurrentField != 0) {
    RunEditTextField(BoardHandle, CurrentField);
    RedrawWindow(BoardHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW);
  } else {
    MessageBoxA(BoardHandle, kSelectFieldFirst, kProgramName, MB_ICONINFORMATION);
  }
}

void FindCommand(int, int, LPARAM) { RunFindInProjects(BoardHandle); }
void RepositionCommand(int, int, LPARAM) { StartReposition(BoardHandle); }

void ConsolidateCommand(int, int, LPARAM) {
  // The consolidation reads the projects from their files and the board shows its project from
  // its file afterwards: the slots are saved first, and nothing runs when that fails.
  if (SaveBoardIntoItsFile() != 1) return;
  RunConsolidateProjects(BoardHandle);
  ReloadBoardFromItsFile();
}

void UseTrayCommand(int, int, LPARAM) { ToggleUseTray(); }
void HideAtStartupCommand(int, int, LPARAM) { ToggleMenuOption(ID_OPTIONS_HIDE_AT_STARTUP, HideInTrayOnStartup); }
void AutoPasteCommand(int, int, LPARAM) { ToggleMenuOption(ID_OPTIONS_AUTO_PASTE, AutoPaste); }
void HideCommand(int, int, LPARAM) { ShowWindow(BoardHandle, SW_MINIMIZE); }
void ReadMeCommand(int, int, LPARAM) { OpenReadMe(); }

void ScreenTipsCommand(int, int, LPARAM) { ToggleScreenTips(); }

void SupportLinkCommand(int id, int, LPARAM) { OpenSupportLink(id); }
void HelpTopicCommand(int id, int, LPARAM) { ShowHelpForCommand(BoardHandle, id); }
void AboutCommand(int, int, LPARAM) { RunAboutBox(BoardHandle); }
void HandoverRequest(int, int, LPARAM lParam) { AnswerHandoverRequest(reinterpret_cast<HWND>(lParam)); }
void HandoverAcknowledgement(int, int, LPARAM) { AcknowledgeHandover(); }
void CopyButtonRightClicked(int, int, LPARAM lParam) { OpenSlotMenu(reinterpret_cast<HWND>(lParam)); }

void RenameOneButtonCommand(int, int, LPARAM) {
  DefineButton(ContextButton);
  ContextButton = nullptr;
}

void SlotEditTextFieldCommand(int, int, LPARAM) {
  PostMessageA(BoardHandle, WM_COMMAND, ID_EDIT_TEXT_FIELD, 0);
  ContextButton = nullptr;
}

constexpr BoardCommand kBoardCommands[] = {
    {IDC_MIN_ON_EACH_COPY, IDC_MIN_ON_EACH_COPY, true, false, MinOnEachCopyClicked},
    {IDC_TOPMOST, IDC_TOPMOST, true, false, TopMostClicked},
    {IDC_PROJECT_COMBO, IDC_PROJECT_COMBO, false, true, ProjectComboChanged},
    {ID_FILE_NEW_PROJECT, ID_FILE_NEW_PROJECT, false, true, NewProjectCommand},
    {ID_FILE_SAVE_PROJECT, ID_FILE_SAVE_PROJECT, false, true, SaveProjectCommand},
    {ID_FILE_SAVEAS_PROJECT, ID_FILE_SAVEAS_PROJECT, false, true, SaveProjectAsCommand},
    {ID_FILE_DELETE_PROJECT, ID_FILE_DELETE_PROJECT, false, true, DeleteProjectCommand},
    {ID_FILE_EXIT, ID_FILE_EXIT, false, false, CloseBoard},
    {ID_EDIT_RENAME_BUTTONS, ID_EDIT_RENAME_BUTTONS, true, true, RenameButtonsCommand},
    {ID_EDIT_TEXT_FIELD, ID_EDIT_TEXT_FIELD, true, true, EditTextFieldCommand},
    {ID_EDIT_FIND, ID_EDIT_FIND, false, false, FindCommand},
    {ID_CONFIGURE_REPOSITION, ID_CONFIGURE_REPOSITION, false, true, RepositionCommand},
    {ID_CONFIGURE_CONSOLIDATE, ID_CONFIGURE_CONSOLIDATE, false, true, ConsolidateCommand},
    {ID_OPTIONS_USE_TRAY, ID_OPTIONS_USE_TRAY, false, false, UseTrayCommand},
    {ID_OPTIONS_HIDE_AT_STARTUP, ID_OPTIONS_HIDE_AT_STARTUP, false, false, HideAtStartupCommand},
    {ID_OPTIONS_AUTO_PASTE, ID_OPTIONS_AUTO_PASTE, false, false, AutoPasteCommand},
    {ID_HIDE, ID_HIDE, false, false, HideCommand},
    {ID_HELP_README, ID_HELP_README, false, false, ReadMeCommand},
    {ID_HELP_SCREENTIPS, ID_HELP_SCREENTIPS, false, false, ScreenTipsCommand},
    {ID_SUPPORT_WEB, ID_SUPPORT_PHONE, false, false, SupportLinkCommand},
    {ID_HELP_OVERVIEW, ID_HELP_OPTIONS_AUTO_PASTE, true, false, HelpTopicCommand},
    {ID_HELP_ABOUT, ID_HELP_ABOUT, true, false, AboutCommand},
    {ID_HANDOVER_REQUEST, ID_HANDOVER_REQUEST, false, false, HandoverRequest},
    {ID_HANDOVER_ACKNOWLEDGE, ID_HANDOVER_ACKNOWLEDGE, false, false, HandoverAcknowledgement},
    {ID_COPY_BUTTON_RIGHT_CLICKED, ID_COPY_BUTTON_RIGHT_CLICKED, false, false, CopyButtonRightClicked},
    {ID_SLOT_RENAME_BUTTON, ID_SLOT_RENAME_BUTTON, false, false, RenameOneButtonCommand},
    {ID_SLOT_EDIT_TEXT_FIELD, ID_SLOT_EDIT_TEXT_FIELD, false, true, SlotEditTextFieldCommand},
    {ID_TRAY_EXIT, ID_TRAY_EXIT, false, false, CloseBoard},
};

const BoardCommand* FindBoardCommand(int id) {
  for (const BoardCommand& row : kBoardCommands) {
    if (id >= row.firstId && id <= row.lastId) return &row;
  }
  return nullptr;
}

}  // namespace

void BoardDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  BeginWork();
  // A copy button's click: the whole parameter, identifier and notification together.
  if (wParam >= static_cast<WPARAM>(kFirstCopyButtonId) && wParam <= static_cast<WPARAM>(kLastCopyButtonId)) {
    if (RepositionMode == 1) {
      RepositionClick(Handle(), static_cast<int>(wParam));
    } else {
      CopyAction(static_cast<int>(wParam));
    }
  } else {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const BoardCommand* command = FindBoardCommand(id);
    if (code == EN_SETFOCUS && IsTextField(id)) {
      SelectField(id);
    } else if (command != nullptr) {
      // A command that replaces the slots while another is still running (a shortcut typed while
      // its message box is up) would change the board under that command's feet.
      const bool heldBack = command->replacesSlots && (RepositionMode == 1 || WorkDepth() > 1);
      if (!heldBack) {
        command->run(id, code, lParam);
        if (command->focus) FocusProjectCombo();
      }
    }
  }
  DefaultCommand(wParam);
  EndWork();
}
