// A project: the captions and texts of the board's 33 slots, as one fixed record. A project
// file is this record byte for byte.
#ifndef VARNEL_STATE_PROJECT_PAGE_H
#define VARNEL_STATE_PROJECT_PAGE_H

#include <cstddef>

#include "state/slots.h"

constexpr std::size_t kButtonNameSize = 32;
constexpr std::size_t kTextFieldSize = 10240;
constexpr std::size_t kProjectPageSize = 338976;
// Paths live in fixed buffers of this size: 255 characters and the terminating NUL.
constexpr std::size_t kPathBufferSize = 256;

// All captions first, then all texts.
struct ProjectPage {
  char names[kSlotCount][kButtonNameSize];
  char texts[kSlotCount][kTextFieldSize];
};
static_assert(sizeof(ProjectPage) == kProjectPageSize, "project files hold exactly one page");
static_assert(offsetof(ProjectPage, names) == 0, "captions start the file");
static_assert(offsetof(ProjectPage, texts) == kSlotCount * kButtonNameSize, "texts follow the captions");
static_assert(offsetof(ProjectPage, texts) == 1056, "texts start at byte 1056");

void ClearPage(ProjectPage& page);

// A file the program did not write may hold a field without a NUL; after this every caption is at
// most kButtonNameSize - 1 characters and every text at most kTextFieldSize - 1.
void TerminateFields(ProjectPage& page);

// True when some slot has a caption or a text.
bool PageHoldsText(const ProjectPage& page);

#endif
