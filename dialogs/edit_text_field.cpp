// Edit Text Field: one of the board's text fields in a large editor.
#include "dialogs/edit_text_field.h"

#include "desktop/field_font.h"
#include "desktop/record_text.h"
#include "resources/resource.h"
#include "state/board_state.h"
#include "state/stacked_dialog.h"

namespace {

class EditTextFieldDialog : public StackedDialog<EditTextFieldDialog> {
 public:
  explicit EditTextFieldDialog(int field) : StackedDialog(IDD_EDIT_TEXT_FIELD), field_(field) {}

 protected:
  BOOL OnInitDialog() override {
    fw::CenterOnDesktop(Handle());
    if (FieldFont != nullptr) SendItem(IDC_EDITOR_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(FieldFont), TRUE);
    // Stops typing and pasting where a field of the record ends, as the board's fields do.
    SendItem(IDC_EDITOR_TEXT, EM_LIMITTEXT, kTextFieldSize - 1, 0);
    SetItemTextWide(IDC_EDITOR_TEXT, fw::WindowTextWide(GetDlgItem(BoardHandle, field_)));
    SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_EDITOR_TEXT)), 1);
    // The caret at the very start with nothing selected: the dialog manager would select it all.
    SendItem(IDC_EDITOR_TEXT, EM_SETSEL, 0, 0);
    SendItem(IDC_EDITOR_TEXT, EM_SCROLLCARET, 0, 0);
    return FALSE;
  }

  // The text goes back to the board as the record will hold it: when that changes it, the user
  // decides first, and No keeps the editor open with the text as typed.
  void OnOK() override {
    const std::wstring typed = ItemTextWide(IDC_EDITOR_TEXT);
    SlotFit fits[kSlotCount] = {};
    FieldFit fit;
    const std::wstring stored = AsRecordWouldStore(typed, static_cast<int>(kTextFieldSize), &fit);
    if (IsTextField(field_)) fits[SlotOfButton(field_ - 1)].text = fit;
    if (!UserAcceptsRecordLosses(Handle(), fits)) return;
    SetDlgItemTextW(BoardHandle, field_, stored.c_str());
    EndDialog(IDOK);
  }

  std::span<const MessageRow> MessageTable() const override {
    static constexpr MessageRow rows[] = {
        {WM_DESTROY, &EditTextFieldDialog::OnDestroy},
    };
    return rows;
  }

  std::span<const CommandRow> CommandTable() const override {
    static constexpr CommandRow rows[] = {
        {IDC_EDITOR_OK, IDC_EDITOR_OK, BN_CLICKED, &EditTextFieldDialog::OnOkButton},
        {IDC_EDITOR_CANCEL, IDC_EDITOR_CANCEL, BN_CLICKED, &EditTextFieldDialog::OnCancelButton},
    };
    return rows;
  }

 private:
  // Wine's edit control keeps memory in proportion to the text it still holds when it is
  // destroyed (about 15 KB for a full field, at every opening); emptied first, it gives it back.
  INT_PTR OnDestroy(WPARAM, LPARAM) {
    SetItemText(IDC_EDITOR_TEXT, "");
    return FALSE;
  }

  void OnOkButton(int, int, HWND) { OnOK(); }
  void OnCancelButton(int, int, HWND) { OnCancel(); }

  int field_;
};

}  // namespace

void RunEditTextField(HWND owner, int field) {
  EditTextFieldDialog dialog(field);
  dialog.RunModal(owner);
}
