// The input box and AskText.
#include "dialogs/input_box.h"

#include "desktop/record_text.h"
#include "resources/resource.h"
#include "state/board_state.h"

InputBox::InputBox(const char* caption, const char* prompt, const std::wstring& proposed, int limit)
    : StackedDialog(IDD_INPUT_BOX),
      caption_(caption != nullptr ? caption : ""),
      prompt_(prompt != nullptr ? prompt : ""),
      answer_(proposed.substr(0, static_cast<std::size_t>(limit > 0 ? limit : 0))),
      limit_(limit) {}

BOOL InputBox::OnInitDialog() {
  SetWindowTextA(Handle(), caption_);
  SetItemText(IDC_INPUT_PROMPT, prompt_);
  // Typing and pasting stop at what the caller can keep.
  SendItem(IDC_INPUT_TEXT, EM_LIMITTEXT, static_cast<WPARAM>(limit_), 0);
  SetItemTextWide(IDC_INPUT_TEXT, answer_);
  fw::CenterOnDesktop(Handle());
  SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_INPUT_TEXT)), 1);
  return FALSE;
}

void InputBox::OnOK() {
  // A text put there by other means than typing may be longer than the limit: it is cut to it.
  answer_ = ItemTextWide(IDC_INPUT_TEXT).substr(0, static_cast<std::size_t>(limit_ > 0 ? limit_ : 0));
  EndDialog(IDOK);
}

int AskTextWide(const char* caption, const char* prompt, std::wstring& text, int limit) {
  InputBox box(caption, prompt, text, limit);
  // Owned by the board, so the board waits while the box is up.
  if (box.RunModal(BoardHandle) != IDOK) return 0;
  text = box.Answer();
  return 1;
}

int AskText(const char* caption, const char* prompt, char* text, int capacity) {
  if (text == nullptr || capacity <= 0) return 0;
  const int limit = capacity < kInputTextSize ? capacity - 1 : kInputTextSize - 1;
  std::wstring answer(static_cast<std::size_t>(kInputTextSize), L'\0');
  const int proposed = MultiByteToWideChar(CP_ACP, 0, text, -1, answer.data(), kInputTextSize);
  answer.resize(proposed > 0 ? static_cast<std::size_t>(proposed - 1) : 0);
  if (AskTextWide(caption, prompt, answer, limit) != 1) return 0;
  ToRecordText(answer.c_str(), static_cast<int>(answer.size()), text, capacity);
  return 1;
}
