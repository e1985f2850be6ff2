// Every command of the board arrives here: copy buttons, check boxes, combo box, menu commands,
// shortcuts and the commands other parts post to the board.
#include "board/board_dialog.h"

#include "board/board_commands.h"
#include "board/board_layout.h"
#include "board/board_state.h"
#include "board/copy_action.h"
#include "board/running_copy.h"
#include "desktop/screen_tips.h"
#include "desktop/tray_icon.h"
#include "dialogs/slot_menu.h"
#include "projects/project_commands.h"
#include "resources/resource.h"

namespace {

constexpr const char* kSelectFieldFirst =
    "Please make a selection first; by clicking in the editbox field that you want to edit.";

// The menu toggles: the check mark is the state, the flag follows it.
void ToggleMenuOption(UINT command, int& flag) {
  const bool wasChecked = BoardMenu.IsChecked(command);
  flag = wasChecked ? 0 : 1;
  BoardMenu.Check(command, !wasChecked);
  DrawMenuBar(BoardHandle);
}

void ToggleTray() {
  if (BoardMenu.IsChecked(ID_OPTIONS_USE_TRAY)) {
    UseSystemTray = 0;
    BoardMenu.Check(ID_OPTIONS_USE_TRAY, false);
    MinimizeCommand = SW_MINIMIZE;
    DeleteTrayIcon();
  } else {
    UseSystemTray = 1;
    BoardMenu.Check(ID_OPTIONS_USE_TRAY, true);
    // Hiding a minimised board is only safe while an icon is there to bring it back.
    MinimizeCommand = AddTrayIcon() == 1 ? SW_HIDE : SW_MINIMIZE;
  }
  DrawMenuBar(BoardHandle);
}

void ToggleScreenTips() {
  WantToolTip = BoardMenu.IsChecked(ID_HELP_SCREENTIPS) ? 0 : 1;
  BoardMenu.SetText(ID_HELP_SCREENTIPS, WantToolTip == 1 ? kScreenTipsEnabledText : kScreenTipsDisabledText,
                    WantToolTip == 1);
  DrawMenuBar(BoardHandle);
  SetScreenTips(WantToolTip);
}

void EditTextField() {
  if (CurrentField != 0) {
    RunEditTextFieldDialog();
    RedrawWindow(BoardHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW);
  } else {
    MessageBoxA(BoardHandle, kSelectFieldFirst, kProgramName, MB_ICONINFORMATION);
  }
}

}  // namespace

void BoardDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  // A copy button's click: the whole parameter, identifier and notification together.
  if (wParam >= static_cast<WPARAM>(kFirstCopyButtonId) && wParam <= static_cast<WPARAM>(kLastCopyButtonId)) {
    if (RepositionMode != 1) CopyAction(static_cast<int>(wParam));
    DefaultCommand(wParam);
    return;
  }

  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  bool focus = false;
  if (code == EN_SETFOCUS && IsTextField(id)) {
    SelectField(id);
    DefaultCommand(wParam);
    return;
  }

  switch (id) {
    case IDC_MIN_ON_EACH_COPY:
      MinOnEachCopy = IsItemChecked(IDC_MIN_ON_EACH_COPY) ? 1 : 0;
      focus = true;
      break;
    case IDC_TOPMOST:
      TopMost = IsItemChecked(IDC_TOPMOST) ? 1 : 0;
      PlaceBoardInBand(TopMost == 1);
      focus = true;
      break;
    case IDC_PROJECT_COMBO:
      if (code == CBN_SELCHANGE) ChangeProject();
      break;
    case ID_FILE_NEW_PROJECT:
      NewProject();
      break;
    case ID_FILE_SAVE_PROJECT:
      SaveProject();
      break;
    case ID_FILE_SAVEAS_PROJECT:
      SaveProjectAs();
      break;
    case ID_FILE_DELETE_PROJECT:
      DeleteProject();
      break;
    case ID_FILE_EXIT:
    case ID_TRAY_EXIT:
      PostMessageA(Handle(), WM_CLOSE, 0, 0);
      break;
    case ID_EDIT_RENAME_BUTTONS:
      RunRenameButtonsDialog();
      focus = true;
      break;
    case ID_EDIT_TEXT_FIELD:
      EditTextField();
      focus = true;
      break;
    case ID_EDIT_FIND:
      RunFindDialog();
      break;
    case ID_CONFIGURE_REPOSITION:
      StartReposition();
      break;
    case ID_CONFIGURE_CONSOLIDATE:
      RunConsolidateDialog();
      break;
    case ID_OPTIONS_USE_TRAY:
      ToggleTray();
      break;
    case ID_OPTIONS_HIDE_AT_STARTUP:
      ToggleMenuOption(ID_OPTIONS_HIDE_AT_STARTUP, HideInTrayOnStartup);
      break;
    case ID_OPTIONS_AUTO_PASTE:
      ToggleMenuOption(ID_OPTIONS_AUTO_PASTE, AutoPaste);
      break;
    case ID_HIDE:
      ShowWindow(Handle(), SW_MINIMIZE);
      break;
    case ID_HELP_README:
      OpenReadMe();
      break;
    case ID_HELP_SCREENTIPS:
      ToggleScreenTips();
      break;
    case ID_SUPPORT_WEB:
    case ID_SUPPORT_FAQ:
    case ID_SUPPORT_EMAIL:
    case ID_SUPPORT_PHONE:
      OpenSupportLink(id);
      break;
    case ID_HELP_ABOUT:
      RunAboutBox();
      focus = true;
      break;
    case ID_HANDOVER_REQUEST:
      AnswerHandoverRequest(reinterpret_cast<HWND>(lParam));
      break;
    case ID_HANDOVER_ACKNOWLEDGE:
      AcknowledgeHandover();
      break;
    case ID_COPY_BUTTON_RIGHT_CLICKED:
      OpenSlotMenu(reinterpret_cast<HWND>(lParam));
      break;
    case ID_SLOT_RENAME_BUTTON:
      DefineButton(ContextButton);
      ContextButton = nullptr;
      break;
    case ID_SLOT_EDIT_TEXT_FIELD:
      PostMessageA(Handle(), WM_COMMAND, ID_EDIT_TEXT_FIELD, 0);
      ContextButton = nullptr;
      break;
    default:
      if (id >= ID_HELP_OVERVIEW && id <= ID_HELP_OPTIONS_AUTO_PASTE) {
        ShowHelpForCommand(id);
        focus = true;
      }
      break;
  }
  if (focus) FocusProjectCombo();
  DefaultCommand(wParam);
}
