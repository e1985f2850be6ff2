// The board's slot numbering and grid: which control belongs to which slot, and where it sits.
// Every conversion between a slot and a control identifier goes through these functions.
#ifndef VARNEL_STATE_SLOTS_H
#define VARNEL_STATE_SLOTS_H

#include "resources/resource.h"

constexpr int kSlotCount = 33;
constexpr int kRowsPerColumn = 11;
constexpr int kFirstCopyButtonId = IDC_FIRST_COPY_BUTTON;
constexpr int kLastCopyButtonId = IDC_LAST_COPY_BUTTON;
constexpr int kFirstTextFieldId = IDC_FIRST_TEXT_FIELD;
constexpr int kLastTextFieldId = IDC_LAST_TEXT_FIELD;
constexpr int kFirstMarkerId = IDC_FIRST_MARKER;
constexpr int kFirstLabelId = IDC_FIRST_LABEL;

// The slot controls are computed from the slot number; these keep the computation and the
// numbers that the templates and the code use in step.
static_assert(kLastCopyButtonId == kFirstCopyButtonId + 2 * (kSlotCount - 1), "33 copy buttons, every second id");
static_assert(kLastTextFieldId == kFirstTextFieldId + 2 * (kSlotCount - 1), "33 text fields, every second id");
static_assert(kFirstTextFieldId == kFirstCopyButtonId + 1, "a field follows its button");
static_assert(IDC_LAST_MARKER == kFirstMarkerId + kSlotCount - 1, "33 markers");
static_assert(IDC_LAST_LABEL == kFirstLabelId + kSlotCount - 1, "33 labels");
static_assert(kFirstLabelId == IDC_LAST_MARKER + 1 && kFirstCopyButtonId == IDC_LAST_LABEL + 1,
              "markers, labels and slots follow each other without a gap");

// A rectangle in dialog units: left, top, width, height as the template writes them.
struct DialogRect {
  int x;
  int y;
  int width;
  int height;
};

int CopyButtonOfSlot(int slot);
int TextFieldOfSlot(int slot);
int MarkerOfSlot(int slot);
int LabelOfSlot(int slot);

int SlotOfButton(int button);
int TextFieldOfButton(int button);
int LabelOfButton(int button);

bool IsCopyButton(int id);
bool IsTextField(int id);

int SlotColumn(int slot);
int SlotRow(int slot);

DialogRect CopyButtonRect(int slot);
DialogRect TextFieldRect(int slot);
DialogRect MarkerRect(int slot);
DialogRect LabelRect(int slot);

#endif
