// The help topics window.
#include "dialogs/help_window.h"

#include "resources/resource.h"
#include "state/board_state.h"

namespace {

// Beyond any text the window holds (the Overview is under 6000 characters): the control puts
// the caret at the end of its text.
constexpr WPARAM kEndOfText = 65535;

}  // namespace

HelpWindow::HelpWindow() : StackedDialog(IDD_HELP) {}

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
  if (HelpTopic != nullptr) {
    SetWindowTextA(text, HelpTopic);
  } else {
    for (int number = 1; number <= kOverviewTopicCount; ++number) {
      SendItem(IDC_HELP_TEXT, EM_SETSEL, kEndOfText, kEndOfText);
      SendItem(IDC_HELP_TEXT, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(HelpTopicText(number)));
    }
  }
  // Appending scrolled to the end, and not every edit control scrolls back on EM_SETSEL alone.
  SendItem(IDC_HELP_TEXT, EM_SETSEL, 0, 0);
  SendItem(IDC_HELP_TEXT, EM_SCROLLCARET);
  HideCaret(text);
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
