// The input box and AskText.
#include "dialogs/input_box.h"

#include <cstring>

#include "desktop/bounded_copy.h"
#include "desktop/window_text.h"
#include "resources/resource.h"
#include "state/board_state.h"

InputBox::InputBox(const char* caption, const char* prompt, const char* proposed)
    : StackedDialog(IDD_INPUT_BOX), caption_(caption != nullptr ? caption : ""), prompt_(prompt != nullptr ? prompt : "") {
  CopyBounded(text_, proposed, sizeof(text_));
}

BOOL InputBox::OnInitDialog() {
  SetWindowTextA(Handle(), caption_);
  SetItemText(IDC_INPUT_PROMPT, prompt_);
  SetItemText(IDC_INPUT_TEXT, text_);
  fw::CenterOnDesktop(Handle());
  SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_INPUT_TEXT)), 1);
  return FALSE;
}

void InputBox::OnOK() {
  ReadWindowText(Item(IDC_INPUT_TEXT), text_, kInputTextSize);
  EndDialog(IDOK);
}

int AskText(const char* caption, const char* prompt, char* text, int capacity) {
  InputBox box(caption, prompt, text);
  // Owned by the board, so the board waits while the box is up.
  if (box.RunModal(BoardHandle) != IDOK || text == nullptr || capacity <= 0) return 0;
  CopyBounded(text, box.Answer(), static_cast<std::size_t>(capacity));
  return 1;
}
