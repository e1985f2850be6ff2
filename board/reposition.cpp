// Reposition mode: the user clicks the 33 copy buttons in the order the slots should take.
#include "board/reposition.h"

// The mode has not been built yet: the command does nothing until it is.
void StartReposition(HWND) {}
