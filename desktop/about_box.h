// The About box with the program's version and the system description.
#ifndef VARNEL_DESKTOP_ABOUT_BOX_H
#define VARNEL_DESKTOP_ABOUT_BOX_H

#include "state/stacked_dialog.h"

class AboutBox : public StackedDialog<AboutBox> {
 public:
  AboutBox();

 protected:
  BOOL OnInitDialog() override;
};

// Runs the About box modally over owner (the board, or the dialog whose menu asked for it).
void RunAboutBox(HWND owner);

#endif
