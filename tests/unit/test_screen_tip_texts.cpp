// The ScreenTips' 135 tools: which control in which order, and which controls share a text.
#include "desktop/screen_tip_texts.h"

#include <gtest/gtest.h>

#include <string>

TEST(ScreenTipTools, OptionsComboMarkersLabelsThenEachButtonBeforeItsFieldWithTheirKindsText) {
  const auto& tools = ScreenTipTools();
  const std::string marker = "The position where the next item will be put when you select it.";
  const std::string label = "The position that this item will be put after all selecting is completed.";
  EXPECT_EQ(tools[0].controlId, 1001);
  EXPECT_EQ(tools[1].controlId, 1002);
  EXPECT_EQ(tools[2].controlId, 1003);
  EXPECT_NE(std::string(tools[0].text), tools[1].text);
  for (int i = 0; i < 33; ++i) {
    EXPECT_EQ(tools[3 + i].controlId, 1004 + i);
    EXPECT_EQ(tools[3 + i].text, marker);
    EXPECT_EQ(tools[36 + i].controlId, 1037 + i);
    EXPECT_EQ(tools[36 + i].text, label);
    EXPECT_EQ(tools[69 + 2 * i].controlId, 1070 + 2 * i);
    EXPECT_EQ(std::string(tools[69 + 2 * i].text).rfind("Select this button to copy text", 0), 0u);
    EXPECT_EQ(tools[70 + 2 * i].controlId, 1071 + 2 * i);
    EXPECT_EQ(std::string(tools[70 + 2 * i].text).rfind("This field holds up to 10240", 0), 0u);
  }
}
