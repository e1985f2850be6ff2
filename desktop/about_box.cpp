// The About box with the program's version and the system description.
#include "desktop/about_box.h"

#include <cstdio>

#include "desktop/program_name.h"
#include "desktop/system_description.h"
#include "desktop/windows_name.h"
#include "resources/resource.h"

namespace {

constexpr const char* kAboutCaptionFormat = "About %s";

}  // namespace

AboutBox::AboutBox() : StackedDialog(IDD_ABOUT) {}

BOOL AboutBox::OnInitDialog() {
  char caption[64];
  std::snprintf(caption, sizeof(caption), kAboutCaptionFormat, kProgramName);
  SetWindowTextA(Handle(), caption);
  // From the description worked out at start-up, so every opening shows the same text.
  char text[kAboutTextSize];
  FormatAboutText(text, sizeof(text), kProgramVersion, WindowsPlatformId, WindowsMajorVersion, WindowsMinorVersion,
                  SystemDescription);
  SetItemText(IDC_ABOUT_TEXT, text);
  fw::CenterOnDesktop(Handle());
  return TRUE;
}

void RunAboutBox(HWND owner) {
  static AboutBox box;
  // Running the one box again while it is up would take its window from the loop that runs it.
  if (box.Handle() != nullptr) return;
  box.RunModal(owner);
}
