// The help topics window: one topic, or all of them as the Overview, in a read-only text box.
#ifndef VARNEL_DIALOGS_HELP_WINDOW_H
#define VARNEL_DIALOGS_HELP_WINDOW_H

#include "dialogs/help_topics.h"
#include "state/stacked_dialog.h"

class HelpWindow : public StackedDialog<HelpWindow> {
 public:
  HelpWindow();

 protected:
  BOOL OnInitDialog() override;
  std::span<const MessageRow> MessageTable() const override;
  std::span<const CommandRow> CommandTable() const override;

 private:
  INT_PTR OnDestroy(WPARAM wParam, LPARAM lParam);
  void OnDone(int id, int code, HWND control);
};

// Shows topic (a text of HelpTopicText, or nullptr for the Overview) in the help window, run
// modally over owner: the window, board or dialog that asked for it.
void ShowHelp(HWND owner, const char* topic);

// Shows the help window over owner on the topic of a board Help menu command (32791 to 32808).
void ShowHelpForCommand(HWND owner, int command);

#endif
