// Slot numbering and the grid of template 200.
#include "state/slots.h"

namespace {

constexpr int kColumnPitch = 130;
constexpr int kRowPitch = 14;

// Markers and labels do not follow the row pitch exactly: their tops were placed by hand.
constexpr int kMarkerTopLeftColumn[kRowsPerColumn] = {19, 33, 48, 62, 75, 90, 104, 118, 131, 146, 159};
constexpr int kMarkerTopOtherColumns[kRowsPerColumn] = {19, 34, 48, 62, 75, 90, 104, 118, 131, 146, 160};

int MarkerTop(int slot) {
  const int row = SlotRow(slot);
  return SlotColumn(slot) == 0 ? kMarkerTopLeftColumn[row] : kMarkerTopOtherColumns[row];
}

}  // namespace

int CopyButtonOfSlot(int slot) { return kFirstCopyButtonId + 2 * slot; }
int TextFieldOfSlot(int slot) { return kFirstTextFieldId + 2 * slot; }
int MarkerOfSlot(int slot) { return kFirstMarkerId + slot; }
int LabelOfSlot(int slot) { return kFirstLabelId + slot; }

int SlotOfButton(int button) { return (button - kFirstCopyButtonId) / 2; }
int TextFieldOfButton(int button) { return button + 1; }
int LabelOfButton(int button) { return (button - kFirstCopyButtonId) / 2 + kFirstLabelId; }

bool IsCopyButton(int id) {
  return id >= kFirstCopyButtonId && id <= kLastCopyButtonId && (id - kFirstCopyButtonId) % 2 == 0;
}

bool IsTextField(int id) {
  return id >= kFirstTextFieldId && id <= kLastTextFieldId && (id - kFirstTextFieldId) % 2 == 0;
}

int SlotColumn(int slot) { return slot / kRowsPerColumn; }
int SlotRow(int slot) { return slot % kRowsPerColumn; }

DialogRect CopyButtonRect(int slot) {
  return {4 + kColumnPitch * SlotColumn(slot), 18 + kRowPitch * SlotRow(slot), 87, 14};
}

DialogRect TextFieldRect(int slot) {
  return {90 + kColumnPitch * SlotColumn(slot), 18 + kRowPitch * SlotRow(slot), 42, 14};
}

DialogRect MarkerRect(int slot) { return {2 + kColumnPitch * SlotColumn(slot), MarkerTop(slot), 4, 11}; }

DialogRect LabelRect(int slot) { return {83 + kColumnPitch * SlotColumn(slot), MarkerTop(slot), 14, 11}; }
