// The input box: the general one-line text prompt of the project commands and the rename.
#ifndef VARNEL_DIALOGS_INPUT_BOX_H
#define VARNEL_DIALOGS_INPUT_BOX_H

#include <string>

#include "state/stacked_dialog.h"

constexpr int kInputTextSize = 256;

class InputBox : public StackedDialog<InputBox> {
 public:
  InputBox(const char* caption, const char* prompt, const std::wstring& proposed, int limit);

  // The answer after IDOK as typed, at most the limit's characters.
  const std::wstring& Answer() const { return answer_; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  const char* caption_;
  const char* prompt_;
  std::wstring answer_;
  int limit_;
};

// Asks for one line of text in a box owned by the board, proposing text's content (at most 255
// characters). Returns 1 when the user applied and a text buffer was given (it then holds the
// answer, cut to capacity - 1 characters), 0 otherwise.
int AskText(const char* caption, const char* prompt, char* text, int capacity);
// The same for a text that stays on the board as typed, in any script, until a save: at most
// limit characters.
int AskTextWide(const char* caption, const char* prompt, std::wstring& text, int limit);

#endif
