// The tray icon's decisions: a hidden board always has an icon to bring it back.
#include "desktop/tray_rules.h"

#include <gtest/gtest.h>

TEST(TrayRules, MinimisedBoardHidesOnlyWhileItsIconIsThere) {
  EXPECT_EQ(MinimizeCommandFor(true), 0);
  EXPECT_EQ(MinimizeCommandFor(false), 6);
}

TEST(TrayRules, LeftClickTogglesTheTopWindowOnlyForOurIconInTrayMode) {
  EXPECT_EQ(DecideTrayClick(1, 0x202, 0, true, true), TrayClick::HideBoard);
  EXPECT_EQ(DecideTrayClick(1, 0x202, 0, false, false), TrayClick::RestoreBoard);
  // A stale click from taskbar mode, and another icon's click.
  EXPECT_EQ(DecideTrayClick(1, 0x202, 6, false, true), TrayClick::Nothing);
  EXPECT_EQ(DecideTrayClick(2, 0x202, 0, false, true), TrayClick::Nothing);
}

TEST(TrayRules, RightClickOffersTheMenuOnlyWithNoDialogOpen) {
  EXPECT_EQ(DecideTrayClick(1, 0x205, 0, true, true), TrayClick::ShowMenu);
  EXPECT_EQ(DecideTrayClick(1, 0x205, 0, true, false), TrayClick::Nothing);
  // Pressing, moving and double-clicking do nothing.
  for (unsigned message : {0x200u, 0x201u, 0x203u, 0x204u}) {
    EXPECT_EQ(DecideTrayClick(1, message, 0, true, true), TrayClick::Nothing) << message;
  }
}

TEST(TrayRules, StartupHideWaitsForTheIconAndNeedsBothOptions) {
  EXPECT_EQ(DecideStartupHide(1, 1, true), StartupHide::HideNow);
  EXPECT_EQ(DecideStartupHide(1, 1, false), StartupHide::WhenIconArrives);
  EXPECT_EQ(DecideStartupHide(1, 0, false), StartupHide::Nothing);
  EXPECT_EQ(DecideStartupHide(0, 1, true), StartupHide::Nothing);
}

TEST(TrayRules, TheBalloonTellsWhereTheBoardIsOnlyTheFirstTimeItHidesBehindAnIcon) {
  EXPECT_TRUE(ShouldTellWhereTheBoardIs(false, true, kShowHide));
  EXPECT_FALSE(ShouldTellWhereTheBoardIs(true, true, kShowHide));
  // On the taskbar the board is in plain sight; without an icon there is nothing to speak.
  EXPECT_FALSE(ShouldTellWhereTheBoardIs(false, true, kShowMinimize));
  EXPECT_FALSE(ShouldTellWhereTheBoardIs(false, false, kShowHide));
}
