// The About box with the program's version and the system description.
#include "desktop/about_box.h"

// The About box has not been built yet: the command does nothing until it is.
void RunAboutBox(HWND) {}
