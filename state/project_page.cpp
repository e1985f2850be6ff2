// The project record.
#include "state/project_page.h"

#include <cstring>

void ClearPage(ProjectPage& page) { std::memset(&page, 0, sizeof page); }

void TerminateFields(ProjectPage& page) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    page.names[slot][kButtonNameSize - 1] = '\0';
    page.texts[slot][kTextFieldSize - 1] = '\0';
  }
}

bool PageHoldsText(const ProjectPage& page) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (page.names[slot][0] != '\0' || page.texts[slot][0] != '\0') return true;
  }
  return false;
}
