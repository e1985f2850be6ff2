// The ScreenTips' 135 tools: which control in which order, and which controls share a text.
#include "desktop/screen_tip_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ScreenTipTools, OptionsComboMarkersLabelsThenEachButtonBeforeItsField) {
  std::vector<int> expected = {1001, 1002, 1003};
  for (int id = 1004; id <= 1069; ++id) expected.push_back(id);
  for (int slot = 0; slot < 33; ++slot) {
    expected.push_back(1070 + 2 * slot);
    expected.push_back(1071 + 2 * slot);
  }
  ASSERT_EQ(expected.size(), 135u);
  std::vector<int> ids;
  for (const ScreenTipTool& tool : ScreenTipTools()) ids.push_back(tool.controlId);
  EXPECT_EQ(ids, expected);
}

TEST(ScreenTipTools, EachKindOfControlSharesOneTextAndKindsDiffer) {
  const auto& tools = ScreenTipTools();
  auto textOf = [&](int id) -> std::string {
    for (const ScreenTipTool& tool : tools) {
      if (tool.controlId == id) return tool.text;
    }
    return "<none>";
  };
  // First control of each kind, and the text every other member of the kind must have.
  const int kinds[] = {1001, 1002, 1003, 1004, 1037, 1070, 1071};
  for (int i = 0; i < 7; ++i) {
    for (int j = i + 1; j < 7; ++j) EXPECT_NE(textOf(kinds[i]), textOf(kinds[j])) << kinds[i] << " " << kinds[j];
  }
  for (int slot = 1; slot < 33; ++slot) {
    EXPECT_EQ(textOf(1004 + slot), textOf(1004));
    EXPECT_EQ(textOf(1037 + slot), textOf(1037));
    EXPECT_EQ(textOf(1070 + 2 * slot), textOf(1070));
    EXPECT_EQ(textOf(1071 + 2 * slot), textOf(1071));
  }
  EXPECT_EQ(textOf(1003),
            "Open a Varnel project that you saved earlier, or one of the SAMPLE.VRL files that came with Varnel.");
  EXPECT_EQ(textOf(1004), "The position where the next item will be put when you select it.");
  EXPECT_EQ(textOf(1037), "The position that this item will be put after all selecting is completed.");
}
