// The new order of Reposition mode: the slot clicked k-th becomes slot k.
#ifndef VARNEL_BOARD_REPOSITION_ORDER_H
#define VARNEL_BOARD_REPOSITION_ORDER_H

#include "state/project_page.h"

// Puts a clicked slot's caption and text at position in the collected page, cut to 31 and 10239
// characters. A position outside 0..32 is ignored.
void CollectClickedSlot(ProjectPage& collected, int position, const char* caption, const char* text);

#endif
