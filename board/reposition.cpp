// Reposition mode. While it runs, a page of its own collects the clicked slots in click order,
// and the buttons and fields keep showing the old order, so closing during the mode saves the
// project as it was. The board's page stays as the mode found it until the last click, so Find
// searches the current project as the board shows it, not half collected.
#include "board/reposition.h"

#include <cstdio>
#include <string>

#include "board/reposition_order.h"
#include "desktop/program_name.h"
#include "desktop/record_text.h"
#include "framework/dialog.h"
#include "dialogs/help_topics.h"
#include "projects/project_file.h"
#include "resources/resource.h"
#include "state/board_state.h"

namespace {

// The commands that could disturb the collection.
constexpr UINT kGatedCommands[] = {ID_FILE_NEW_PROJECT,    ID_FILE_SAVE_PROJECT,   ID_FILE_SAVEAS_PROJECT,
                                   ID_FILE_DELETE_PROJECT, ID_EDIT_RENAME_BUTTONS, ID_EDIT_TEXT_FIELD,
                                   ID_CONFIGURE_REPOSITION, ID_CONFIGURE_CONSOLIDATE};

void EnableGatedItems(HWND board, bool enabled) {
  for (UINT command : kGatedCommands) {
    EnableMenuItem(BoardMenu.Handle(), command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  DrawMenuBar(board);
}

ProjectPage CollectedPage;
// The clicked slots as the controls show them: pasted characters that the record cannot store
// move with their slot unchanged, and the save after the mode asks about them as any save does.
std::wstring collectedNames[kSlotCount];
std::wstring collectedTexts[kSlotCount];

void ShowCollectedSlots(HWND board) {
  // Drawn once after the last control, as a project change does; a hidden board is left alone,
  // since turning redrawing back on would mark it visible.
  const bool drawnOnce = IsWindowVisible(board) != FALSE;
  if (drawnOnce) SendMessageA(board, WM_SETREDRAW, FALSE, 0);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    SetDlgItemTextW(board, CopyButtonOfSlot(slot), collectedNames[slot].c_str());
    SetDlgItemTextW(board, TextFieldOfSlot(slot), collectedTexts[slot].c_str());
    collectedNames[slot].clear();
    collectedTexts[slot].clear();
  }
  if (drawnOnce) {
    SendMessageA(board, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(board, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void EnableItem(HWND board, int id, bool enabled) { EnableWindow(GetDlgItem(board, id), enabled ? TRUE : FALSE); }
void HideItem(HWND board, int id) { ShowWindow(GetDlgItem(board, id), SW_HIDE); }

// Markers and labels overlap the buttons and fields beside them: shown above them, since a button
// that repaints after a click would otherwise cover the number.
void ShowItemOnTop(HWND board, int id) {
  SetWindowPos(GetDlgItem(board, id), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void FinishReposition(HWND board) {
  BoardPage = CollectedPage;
  ShowCollectedSlots(board);
  EnableGatedItems(board, true);
  EnableItem(board, IDC_MIN_ON_EACH_COPY, true);
  EnableItem(board, IDC_TOPMOST, true);
  EnableItem(board, IDC_PROJECT_COMBO, true);
  for (int slot = 0; slot < kSlotCount; ++slot) HideItem(board, LabelOfSlot(slot));
  for (int id = kLastTextFieldId; id >= kFirstCopyButtonId; --id) EnableItem(board, id, true);
  RepositionMode = 0;
  RedrawWindow(board, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_UPDATENOW);
}

}  // namespace

void StartReposition(HWND board) {
  // The confirmation is the help topic of the command.
  if (MessageBoxA(board, HelpTopicText(kRepositionTopic), kProgramName, MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONINFORMATION) !=
      IDOK) {
    return;
  }
  EnableGatedItems(board, false);
  EnableItem(board, IDC_MIN_ON_EACH_COPY, false);
  EnableItem(board, IDC_TOPMOST, false);
  EnableItem(board, IDC_PROJECT_COMBO, false);
  for (int slot = 0; slot < kSlotCount; ++slot) EnableItem(board, TextFieldOfSlot(slot), false);
  RepositionCount = 0;
  ShowItemOnTop(board, MarkerOfSlot(0));
  RepositionMode = 1;
  ClearPage(CollectedPage);
  // The combo box that held the focus is disabled now.
  FocusProjectCombo();
}

void RepositionClick(HWND board, int button) {
  const int position = RepositionCount;
  if (position < 0 || position >= kSlotCount || !IsCopyButton(button)) return;
  HideItem(board, MarkerOfSlot(position));
  if (position < kSlotCount - 1) ShowItemOnTop(board, MarkerOfSlot(position + 1));
  RepositionCount = position + 1;

  collectedNames[position] = fw::WindowTextWide(GetDlgItem(board, button));
  collectedTexts[position] = fw::WindowTextWide(GetDlgItem(board, TextFieldOfButton(button)));
  char caption[kButtonNameSize];
  static char text[kTextFieldSize];
  ToRecordText(collectedNames[position].c_str(), static_cast<int>(collectedNames[position].size()), caption,
               static_cast<int>(sizeof caption));
  ToRecordText(collectedTexts[position].c_str(), static_cast<int>(collectedTexts[position].size()), text,
               static_cast<int>(sizeof text));
  CollectClickedSlot(CollectedPage, position, caption, text);

  EnableItem(board, button, false);
  char label[8];
  std::snprintf(label, sizeof label, "%i", RepositionCount);
  SetDlgItemTextA(board, LabelOfButton(button), label);
  ShowItemOnTop(board, LabelOfButton(button));

  if (RepositionCount == kSlotCount) {
    FinishReposition(board);
  } else {
    // A clicked button is disabled, and took the focus with it.
    FocusProjectCombo();
  }
}
