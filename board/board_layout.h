// The board's slot numbering and grid: which control belongs to which slot, and where it sits.
// Every conversion between a slot and a control identifier goes through these functions.
#ifndef VARNEL_BOARD_LAYOUT_H
#define VARNEL_BOARD_LAYOUT_H

constexpr int kSlotCount = 33;
constexpr int kRowsPerColumn = 11;
constexpr int kFirstCopyButtonId = 1070;
constexpr int kLastCopyButtonId = 1134;
constexpr int kFirstTextFieldId = 1071;
constexpr int kLastTextFieldId = 1135;
constexpr int kFirstMarkerId = 1004;
constexpr int kFirstLabelId = 1037;

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
