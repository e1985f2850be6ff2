// The new order of Reposition mode.
#include "board/reposition_order.h"

#include "desktop/bounded_copy.h"

void CollectClickedSlot(ProjectPage& collected, int position, const char* caption, const char* text) {
  if (position < 0 || position >= kSlotCount) return;
  CopyBounded(collected.names[position], caption, kButtonNameSize);
  CopyBounded(collected.texts[position], text, kTextFieldSize);
}
