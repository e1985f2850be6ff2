// The input box: the general one-line text prompt of the project commands and the rename.
#ifndef VARNEL_DIALOGS_INPUT_BOX_H
#define VARNEL_DIALOGS_INPUT_BOX_H

#include "framework/dialog.h"

constexpr int kInputCaptionSize = 256;
constexpr int kInputPromptSize = 1024;
constexpr int kInputTextSize = 256;

// Filled by the caller of AskText before the call.
extern char InputCaption[kInputCaptionSize];
extern char InputPrompt[kInputPromptSize];
extern char InputText[kInputTextSize];

class InputBox : public fw::TableDialog<InputBox> {
 public:
  InputBox();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  std::span<const MessageRow> MessageTable() const override;

 private:
  INT_PTR OnDestroy(WPARAM wParam, LPARAM lParam);
};

// Asks for one line of text, proposing the text buffer's content (at most 255 characters).
// Returns 1 when the user applied and a text buffer was given (it then holds the answer, cut to
// capacity - 1 characters), 0 otherwise. The prompt is a printf format.
int AskText(const char* promptFormat, char* text, int capacity, ...);

#endif
