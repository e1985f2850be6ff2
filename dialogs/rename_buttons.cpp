// Rename Buttons: all 33 captions of the board in one window. The name fields carry the ids of
// the board's text fields and stand where the board's copy buttons stand.
#include "dialogs/rename_buttons.h"

#include "desktop/about_box.h"
#include "desktop/record_text.h"
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
      // Typing and pasting stop where a name of the record ends.
      SendItem(TextFieldOfSlot(slot), EM_LIMITTEXT, kButtonNameSize - 1, 0);
      SetItemTextWide(TextFieldOfSlot(slot), fw::WindowTextWide(GetDlgItem(BoardHandle, CopyButtonOfSlot(slot))));
    }
    return TRUE;
  }

  // The names go to the buttons as the record will hold them: when that changes one, the user
  // decides first, and No keeps this window open with the names as typed.
  void OnOK() override {
    std::wstring stored[kSlotCount];
    std::vector<std::string> typed;
    SlotFit fits[kSlotCount] = {};
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const std::wstring name = ItemTextWide(TextFieldOfSlot(slot));
      typed.push_back(Utf8Of(name));
      stored[slot] = AsRecordWouldStore(name, static_cast<int>(kButtonNameSize), &fits[slot].name);
    }
    if (!UserAcceptsRecordLosses(Handle(), fits, typed)) return;
    for (int slot = 0; slot < kSlotCount; ++slot) {
      SetDlgItemTextW(BoardHandle, CopyButtonOfSlot(slot), stored[slot].c_str());
      // The page keeps the names too: Find searches the current project there.
      ToRecordText(stored[slot].c_str(), static_cast<int>(stored[slot].size()), BoardPage.names[slot],
                   static_cast<int>(kButtonNameSize));
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
