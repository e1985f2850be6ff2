// The ScreenTips of the board: which control gets which text, in the order the tooltip control
// receives them.
#ifndef VARNEL_DESKTOP_SCREEN_TIP_TEXTS_H
#define VARNEL_DESKTOP_SCREEN_TIP_TEXTS_H

#include <array>

struct ScreenTipTool {
  int controlId;
  const char* text;
};

constexpr int kScreenTipToolCount = 135;

// The check boxes and the combo box, the 33 markers, the 33 position labels, then each slot's
// copy button followed by its text field.
const std::array<ScreenTipTool, kScreenTipToolCount>& ScreenTipTools();

// The Help menu item that switches them, with its check mark showing the state.
extern const char* const kScreenTipsEnabledText;
extern const char* const kScreenTipsDisabledText;

#endif
