// Board commands carried out by windows of their own: the larger dialogs, help and support.
#ifndef VARNEL_BOARD_BOARD_COMMANDS_H
#define VARNEL_BOARD_BOARD_COMMANDS_H

void RunRenameButtonsDialog();
void RunEditTextFieldDialog();
void RunFindDialog();
void RunConsolidateDialog();
void StartReposition();
// Shows the help topics window on the topic of a Help menu command (32791 to 32808).
void ShowHelpForCommand(int command);
void RunAboutBox();

// The Tech-Support popup's commands 32787 to 32790.
void OpenSupportLink(int command);
// Opens README.TXT of the program folder.
void OpenReadMe();

#endif
