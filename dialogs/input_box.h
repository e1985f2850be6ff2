// The input box: the general one-line text prompt of the project commands and the rename.
#ifndef VARNEL_DIALOGS_INPUT_BOX_H
#define VARNEL_DIALOGS_INPUT_BOX_H

#include "state/stacked_dialog.h"

constexpr int kInputTextSize = 256;

class InputBox : public StackedDialog<InputBox> {
 public:
  InputBox(const char* caption, const char* prompt, const char* proposed);

  // The answer after IDOK, at most kInputTextSize - 1 characters.
  const char* Answer() const { return text_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  const char* caption_;
  const char* prompt_;
  char text_[kInputTextSize] = {};
};

// Asks for one line of text in a box owned by the board, proposing text's content (at most 255
// characters). Returns 1 when the user applied and a text buffer was given (it then holds the
// answer, cut to capacity - 1 characters), 0 otherwise.
int AskText(const char* caption, const char* prompt, char* text, int capacity);

#endif
