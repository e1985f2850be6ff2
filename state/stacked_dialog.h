// The base of every dialog of the board program that takes part in the dialog stack: it pushes
// itself when its window is initialised and pops itself when the window is destroyed, in this
// one place, and pops only what it pushed.
#ifndef VARNEL_STATE_STACKED_DIALOG_H
#define VARNEL_STATE_STACKED_DIALOG_H

#include "framework/dialog.h"
#include "state/dialog_stack.h"

template <class Derived>
class StackedDialog : public fw::TableDialog<Derived> {
 public:
  // joinAtInit false: the dialog joins the stack itself at the right moment of its start-up
  // (the board, which first empties the stack).
  explicit StackedDialog(int templateId, bool joinAtInit = true)
      : fw::TableDialog<Derived>(templateId), joinAtInit_(joinAtInit) {}

 protected:
  void JoinDialogStack() {
    if (!onStack_) onStack_ = PushDialog(this->Handle(), this);
  }

  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
    if (message == WM_INITDIALOG && joinAtInit_) JoinDialogStack();
    const bool handled = fw::TableDialog<Derived>::HandleMessage(message, wParam, lParam, result);
    if (message == WM_DESTROY && onStack_) {
      onStack_ = false;
      PopDialog();
    }
    return handled;
  }

 private:
  bool joinAtInit_;
  bool onStack_ = false;
};

#endif
