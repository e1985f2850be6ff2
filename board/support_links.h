// ReadMe and the Tech-Support popup of the Help menu.
#ifndef VARNEL_BOARD_SUPPORT_LINKS_H
#define VARNEL_BOARD_SUPPORT_LINKS_H

// Opens README.TXT of the program folder.
void OpenReadMe();
// The Tech-Support popup's commands 32787 to 32790.
void OpenSupportLink(int command);

#endif
