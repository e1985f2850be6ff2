// The board's larger dialogs and help window. They have not been built yet: each command is
// routed here so that the dispatch is complete, and does nothing until its window exists.
#include "board/board_commands.h"

void RunRenameButtonsDialog() {}
void RunEditTextFieldDialog() {}
void RunFindDialog() {}
void RunConsolidateDialog() {}
void StartReposition() {}
void ShowHelpForCommand(int) {}
void RunAboutBox() {}
