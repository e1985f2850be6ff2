// Tests for scaling pixel sizes to the screen's DPI.
#include "desktop/dpi_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(DpiScale, GrowsWithTheScreensDpiRoundingAsMulDivDoes) {
  EXPECT_EQ(ScaleForDpi(-11, 96), -11);
  EXPECT_EQ(ScaleForDpi(-11, 120), -14);  // 13.75
  EXPECT_EQ(ScaleForDpi(-11, 144), -17);  // 16.5, away from zero
  EXPECT_EQ(ScaleForDpi(-11, 192), -22);
  EXPECT_EQ(ScaleForDpi(300, 144), 450);
  EXPECT_EQ(ScaleForDpi(300, 192), 600);
  EXPECT_EQ(ScaleForDpi(16, 120), 20);
  EXPECT_EQ(ScaleForDpi(16, 144), 24);
}

TEST(DpiScale, LeavesTheSizeAsAt96ForADpiNoScreenHas) {
  EXPECT_EQ(ScaleForDpi(-11, 0), -11);
  EXPECT_EQ(ScaleForDpi(300, -144), 300);
  EXPECT_EQ(ScaleForDpi(300, 1000000), 300);
}

}  // namespace
