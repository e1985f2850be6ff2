// The help topics window.
#include "dialogs/help_window.h"

#include <string>

#include "resources/resource.h"
#include "state/board_state.h"

namespace {

// The Overview goes into the text box in one piece, as a single topic does: appended topic by
// topic, the control grows its buffer step by step, and under Wine part of that stays behind
// after the window has gone.
const char* OverviewText() {
  static std::string overview;
  if (overview.empty()) {
    for (int number = 1; number <= kOverviewTopicCount; ++number) overview += HelpTopicText(number);
  }
  return overview.c_str();
}

}  // namespace

HelpWindow::HelpWindow() : StackedDialog(IDD_HELP) {}

std::span<const HelpWindow::MessageRow> HelpWindow::MessageTable() const {
  static const MessageRow rows[] = {
      {WM_DESTROY, &HelpWindow::OnDestroy},
  };
  return rows;
}

std::span<const HelpWindow::CommandRow> HelpWindow::CommandTable() const {
  static const CommandRow rows[] = {
      {IDC_HELP_DONE, IDC_HELP_DONE, BN_CLICKED, &HelpWindow::OnDone},
  };
  return rows;
}

BOOL HelpWindow::OnInitDialog() {
  fw::CenterOnDesktop(Handle());
  HWND text = Item(IDC_HELP_TEXT);
  SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(text), 1);
  SetWindowTextA(text, HelpTopic != nullptr ? HelpTopic : OverviewText());
  // Not every edit control scrolls back to the start on EM_SETSEL alone.
  SendItem(IDC_HELP_TEXT, EM_SETSEL, 0, 0);
  SendItem(IDC_HELP_TEXT, EM_SCROLLCARET);
  HideCaret(text);
  return FALSE;
}

// Wine's edit control keeps memory in proportion to the text it still holds when it is destroyed
// (about 5 KB for the Overview); emptied first, it gives it all back.
INT_PTR HelpWindow::OnDestroy(WPARAM, LPARAM) {
  SetItemText(IDC_HELP_TEXT, "");
  return FALSE;
}

void HelpWindow::OnDone(int, int, HWND) { EndDialog(IDOK); }

void ShowHelp(HWND owner, const char* topic) {
  static HelpWindow window;
  // Running the one window again while it is up would take it from the loop that runs it.
  if (window.Handle() != nullptr) return;
  HelpTopic = topic;
  window.RunModal(owner);
}

void ShowHelpForCommand(HWND owner, int command) {
  const int topic = HelpTopicForCommand(command);
  if (topic < 0) return;
  ShowHelp(owner, topic == 0 ? nullptr : HelpTopicText(topic));
}
