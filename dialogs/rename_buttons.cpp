// Rename Buttons: all 33 captions of the board in one window. The name fields carry the ids of
// the board's text fields and stand where the board's copy buttons stand.
#include "dialogs/rename_buttons.h"

#include "desktop/about_box.h"
#include "desktop/window_text.h"
#include "dialogs/help_window.h"
#include "resources/resource.h"
#include "state/board_state.h"
#include "state/stacked_dialog.h"

namespace {

class RenameButtonsDialog : public StackedDialog<RenameButtonsDialog> {
 public:
  RenameButtonsDialog() : StackedDialog(IDD_RENAME_BUTTONS) {}

 protected:
  BOOL OnInitDialog() override {
    fw::CenterOnDesktop(Handle());
    for (int slot = 0; slot < kSlotCount; ++slot) {
      ReadWindowText(GetDlgItem(BoardHandle, CopyButtonOfSlot(slot)), BoardPage.names[slot], kButtonNameSize);
      SetItemText(TextFieldOfSlot(slot), BoardPage.names[slot]);
    }
    return TRUE;
  }

  void OnOK() override {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      // Read into the page's 32 bytes: a longer name keeps its first 31 characters.
      ReadWindowText(Item(TextFieldOfSlot(slot)), BoardPage.names[slot], kButtonNameSize);
      SetDlgItemTextA(BoardHandle, CopyButtonOfSlot(slot), BoardPage.names[slot]);
    }
    EndDialog(IDOK);
  }

  std::span<const CommandRow> CommandTable() const override {
    static constexpr CommandRow rows[] = {
        {IDC_RENAME_OK, IDC_RENAME_OK, BN_CLICKED, &RenameButtonsDialog::OnOkButton},
        {IDC_RENAME_CANCEL, IDC_RENAME_CANCEL, BN_CLICKED, &RenameButtonsDialog::OnCancelButton},
        {ID_RENAME_HELP, ID_RENAME_HELP, kAnyCode, &RenameButtonsDialog::OnHelp},
        {ID_HELP_ABOUT, ID_HELP_ABOUT, kAnyCode, &RenameButtonsDialog::OnAbout},
    };
    return rows;
  }

 private:
  void OnOkButton(int, int, HWND) { OnOK(); }
  void OnCancelButton(int, int, HWND) { OnCancel(); }
  // Both open on top of this dialog, which stays open.
  void OnHelp(int, int, HWND) { ShowHelp(Handle(), HelpTopicText(kRenameButtonsTopic)); }
  void OnAbout(int, int, HWND) { RunAboutBox(Handle()); }
};

}  // namespace

void RunRenameButtons(HWND owner) {
  RenameButtonsDialog dialog;
  dialog.RunModal(owner);
}
