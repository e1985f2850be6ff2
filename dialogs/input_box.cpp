// The input box and AskText.
#include "dialogs/input_box.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "board/board_state.h"
#include "board/dialog_stack.h"
#include "desktop/bounded_copy.h"
#include "resources/resource.h"

char InputCaption[kInputCaptionSize] = {};
char InputPrompt[kInputPromptSize] = {};
char InputText[kInputTextSize] = {};

namespace {
InputBox TheInputBox;
}

InputBox::InputBox() : TableDialog(IDD_INPUT_BOX) {}

std::span<const InputBox::MessageRow> InputBox::MessageTable() const {
  static const MessageRow rows[] = {
      {WM_DESTROY, &InputBox::OnDestroy},
  };
  return rows;
}

BOOL InputBox::OnInitDialog() {
  PushDialog(Handle(), this);
  SetWindowTextA(Handle(), InputCaption);
  SetItemText(IDC_INPUT_PROMPT, InputPrompt);
  SetItemText(IDC_INPUT_TEXT, InputText);
  fw::CenterOnDesktop(Handle());
  SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_INPUT_TEXT)), 1);
  return FALSE;
}

void InputBox::OnOK() {
  ItemText(IDC_INPUT_TEXT, InputText, kInputTextSize);
  EndDialog(IDOK);
}

INT_PTR InputBox::OnDestroy(WPARAM, LPARAM) {
  PopDialog();
  return FALSE;
}

int AskText(const char* promptFormat, char* text, int capacity, ...) {
  va_list arguments;
  va_start(arguments, capacity);
  std::vsnprintf(InputPrompt, sizeof(InputPrompt), promptFormat, arguments);
  va_end(arguments);

  std::memset(InputText, 0, sizeof(InputText));
  if (text != nullptr && std::strcmp(text, InputText) != 0) CopyBounded(InputText, text, sizeof(InputText));

  // Owned by the board, so the board waits while the box is up.
  if (TheInputBox.RunModal(BoardHandle) != IDOK || text == nullptr || capacity <= 0) return 0;
  if (std::strcmp(InputText, text) != 0) CopyBounded(text, InputText, static_cast<std::size_t>(capacity));
  return 1;
}
