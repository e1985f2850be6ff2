// Slot numbering and grid, the board template checked against them, and the order that Reposition
// mode collects.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "board/reposition_order.h"
#include "state/slots.h"

TEST(SlotConversions, EverySlotRoundTripsThroughItsControls) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    const int button = CopyButtonOfSlot(slot);
    EXPECT_TRUE(IsCopyButton(button));
    EXPECT_FALSE(IsTextField(button));
    EXPECT_EQ(SlotOfButton(button), slot);
    EXPECT_EQ(TextFieldOfButton(button), TextFieldOfSlot(slot));
    EXPECT_TRUE(IsTextField(TextFieldOfSlot(slot)));
    EXPECT_EQ(LabelOfButton(button), LabelOfSlot(slot));
  }
}

TEST(SlotConversions, LastSlotIsAnOrdinarySlot) {
  EXPECT_EQ(CopyButtonOfSlot(32), 1134);
  EXPECT_EQ(TextFieldOfSlot(32), 1135);
  EXPECT_EQ(MarkerOfSlot(32), 1036);
  EXPECT_EQ(LabelOfSlot(32), 1069);
  EXPECT_FALSE(IsCopyButton(1136));
  EXPECT_FALSE(IsCopyButton(1068));
  EXPECT_FALSE(IsTextField(1137));
  EXPECT_FALSE(IsTextField(1069));
}

TEST(Grid, ColumnsFillTopToBottom) {
  EXPECT_EQ(SlotColumn(10), 0);
  EXPECT_EQ(SlotRow(10), 10);
  EXPECT_EQ(SlotColumn(11), 1);
  EXPECT_EQ(SlotRow(11), 0);
  EXPECT_EQ(SlotColumn(32), 2);
  EXPECT_EQ(SlotRow(32), 10);

  const DialogRect button = CopyButtonRect(13);  // column 1, row 2
  EXPECT_EQ(button.x, 134);
  EXPECT_EQ(button.y, 46);
  EXPECT_EQ(button.width, 87);
  EXPECT_EQ(button.height, 14);
  const DialogRect field = TextFieldRect(13);
  EXPECT_EQ(field.x, 220);
  EXPECT_EQ(field.width, 42);
  // The field overlaps the last unit of its button.
  EXPECT_EQ(button.x + button.width - 1, field.x);
}

TEST(Grid, MarkerRowsDifferBetweenLeftAndOtherColumns) {
  EXPECT_EQ(MarkerRect(1).y, 33);
  EXPECT_EQ(MarkerRect(12).y, 34);
  EXPECT_EQ(MarkerRect(10).y, 159);
  EXPECT_EQ(MarkerRect(32).y, 160);
  EXPECT_EQ(LabelRect(32).x, 83 + 260);
  EXPECT_EQ(MarkerRect(22).x, 262);
}

namespace {

struct TemplateControl {
  int order;
  int x, y, width, height;
};

// Reads "KIND text, id, x, y, w, h" rows of the board template; keyed by control id.
std::map<int, TemplateControl> ReadBoardTemplate() {
  std::ifstream in(std::string(VARNEL_SOURCE_DIR) + "/resources/board.rc");
  std::map<int, TemplateControl> controls;
  std::string line;
  int order = 0;
  while (std::getline(in, line)) {
    std::istringstream row(line);
    std::string kind;
    row >> kind;
    if (kind != "EDITTEXT" && kind != "PUSHBUTTON" && kind != "RTEXT" && kind != "CTEXT") continue;
    std::string rest = line.substr(line.find(kind) + kind.size());
    if (kind != "EDITTEXT") rest = rest.substr(rest.find(',', rest.rfind('"')) + 1);  // skip the caption
    int id = 0, x = 0, y = 0, w = 0, h = 0;
    char comma = 0;
    std::istringstream numbers(rest);
    numbers >> id >> comma >> x >> comma >> y >> comma >> w >> comma >> h;
    controls[id] = {order++, x, y, w, h};
  }
  return controls;
}

void ExpectRect(const TemplateControl& control, const DialogRect& rect, int id) {
  EXPECT_EQ(control.x, rect.x) << "control " << id;
  EXPECT_EQ(control.y, rect.y) << "control " << id;
  EXPECT_EQ(control.width, rect.width) << "control " << id;
  EXPECT_EQ(control.height, rect.height) << "control " << id;
}

}  // namespace

TEST(BoardTemplate, SlotControlsSitWhereTheGridPutsThemInTabOrder) {
  const std::map<int, TemplateControl> controls = ReadBoardTemplate();
  ASSERT_EQ(controls.size(), 4u * kSlotCount);
  for (int slot = 0; slot < kSlotCount; ++slot) {
    ExpectRect(controls.at(CopyButtonOfSlot(slot)), CopyButtonRect(slot), CopyButtonOfSlot(slot));
    ExpectRect(controls.at(TextFieldOfSlot(slot)), TextFieldRect(slot), TextFieldOfSlot(slot));
    ExpectRect(controls.at(MarkerOfSlot(slot)), MarkerRect(slot), MarkerOfSlot(slot));
    ExpectRect(controls.at(LabelOfSlot(slot)), LabelRect(slot), LabelOfSlot(slot));
    // Field before button, slot after slot, then all markers, then all labels.
    EXPECT_EQ(controls.at(TextFieldOfSlot(slot)).order, 2 * slot);
    EXPECT_EQ(controls.at(CopyButtonOfSlot(slot)).order, 2 * slot + 1);
    EXPECT_EQ(controls.at(MarkerOfSlot(slot)).order, 2 * kSlotCount + slot);
    EXPECT_EQ(controls.at(LabelOfSlot(slot)).order, 3 * kSlotCount + slot);
  }
}

TEST(RepositionOrder, ClicksInReverseReverseTheSlotsAndLongTextsAreCut) {
  static ProjectPage collected;
  ClearPage(collected);
  const std::string longCaption(40, 'c');
  const std::string longText(12000, 't');
  for (int click = 0; click < kSlotCount; ++click) {
    const int oldSlot = kSlotCount - 1 - click;
    const std::string caption = oldSlot == 0 ? longCaption : "button " + std::to_string(oldSlot);
    const std::string text = oldSlot == 0 ? longText : "text " + std::to_string(oldSlot);
    CollectClickedSlot(collected, click, caption.c_str(), text.c_str());
  }
  EXPECT_STREQ(collected.names[0], "button 32");
  EXPECT_STREQ(collected.texts[31], "text 1");
  EXPECT_EQ(std::string(collected.names[32]), longCaption.substr(0, 31));
  EXPECT_EQ(std::string(collected.texts[32]), longText.substr(0, 10239));
  CollectClickedSlot(collected, kSlotCount, "beyond", "beyond");  // must not write past the page
  CollectClickedSlot(collected, -1, "before", "before");
  EXPECT_STREQ(collected.names[0], "button 32");
}
