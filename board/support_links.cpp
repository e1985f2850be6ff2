// ReadMe and the Tech-Support popup. The support links tell where help is to be had; the program
// opens no web page or mail form of its own.
#include <windows.h>

#include <cstdio>

#include "board/board_dialog.h"
#include "board/support_links.h"
#include "desktop/program_name.h"
#include "desktop/shell_calls.h"
#include "resources/resource.h"
#include "state/board_state.h"

namespace {

constexpr const char* kReadMeFile = "README.TXT";
constexpr const char* kUnableToOpenFormat =
    "Unable to open:\n%s\n\nUse another Editor, Word Processor, or Email Program to open it.";

constexpr const char* kWebSiteText =
    "Varnel on the web:\n\nwww.kestrune.com\n\nOpen this address in your web browser for news, updates and "
    "support.";
constexpr const char* kFaqText =
    "Frequently Asked Questions about Varnel are answered at:\n\nwww.kestrune.com/support/faq.htm\n\nThe ReadMe "
    "(Help, ReadMe) answers the most common ones too.";
constexpr const char* kEmailText =
    "Write to Varnel support through the form at:\n\nwww.kestrune.com/support/email.htm\n\nPlease mention the "
    "version shown in Help, About Varnel.";
constexpr const char* kPhoneText =
    "Telephone support for Varnel is given by Kestrune.\n\nThe number and opening hours are listed at "
    "www.kestrune.com/support.";

// A document opened from the board must not end up hidden behind a topmost board.
void LeaveTopmostBand() {
  if (IsDlgButtonChecked(BoardHandle, IDC_TOPMOST) == BST_CHECKED) PlaceBoardInBand(false);
}

}  // namespace

void OpenReadMe() {
  LeaveTopmostBand();
  char file[kPathSize + 16];
  std::snprintf(file, sizeof(file), "%s%s", ProgramFolder, kReadMeFile);
  const INT_PTR result =
      reinterpret_cast<INT_PTR>(ShellExecuteFile(BoardHandle, "open", file, nullptr, ProgramFolder, SW_SHOWMAXIMIZED));
  if (result <= 32) {
    char message[kPathSize + 128];
    std::snprintf(message, sizeof(message), kUnableToOpenFormat, file);
    MessageBoxA(BoardHandle, message, kProgramName, MB_ICONSTOP);
  }
}

void OpenSupportLink(int command) {
  const char* text = kPhoneText;
  switch (command) {
    case ID_SUPPORT_WEB:
      LeaveTopmostBand();
      text = kWebSiteText;
      break;
    case ID_SUPPORT_FAQ:
      LeaveTopmostBand();
      text = kFaqText;
      break;
    case ID_SUPPORT_EMAIL:
      text = kEmailText;
      break;
    default:
      break;
  }
  MessageBoxA(BoardHandle, text, kProgramName, MB_ICONINFORMATION);
}
