// Whether the board, started with "Run as administrator", tells the user that it works on other
// copies of the texts than the user's usual starts: it writes the program folder and the settings
// key themselves, while the usual starts read and write the user's VirtualStore.
#ifndef VARNEL_BOARD_ADMINISTRATOR_NOTICE_H
#define VARNEL_BOARD_ADMINISTRATOR_NOTICE_H

#include "desktop/token_elevation.h"

constexpr const char* kAdministratorNotice =
    "Varnel is running as administrator, so the texts it shows and saves now may differ from those of "
    "your usual starts. To work with your usual texts, close Varnel and start it from its shortcut.";

// restartedBySelf: this run is the board's own restart ("NewSession"), whose first run has said it.
bool SaysRunningAsAdministrator(const TokenElevationFacts& token, bool restartedBySelf);

#endif
