// Which token the board gets when the installer starts it.
#include <gtest/gtest.h>

#include "installer/board_start.h"

TEST(BoardStart, AnUnelevatedInstallerStartsItDirectly) {
  EXPECT_EQ(DecideBoardStart(false, false, false), BoardStartWay::kDirectly);
  EXPECT_EQ(DecideBoardStart(false, false, true), BoardStartWay::kDirectly);
  // A limited token of a split pair is the user's own as well.
  EXPECT_EQ(DecideBoardStart(false, true, true), BoardStartWay::kDirectly);
}

TEST(BoardStart, ElevatedWithoutUacStartsItDirectly) {
  EXPECT_EQ(DecideBoardStart(true, false, false), BoardStartWay::kDirectly);
  EXPECT_EQ(DecideBoardStart(true, false, true), BoardStartWay::kDirectly);
}

TEST(BoardStart, ElevatedUnderUacGoesThroughTheShellOrNotAtAll) {
  EXPECT_EQ(DecideBoardStart(true, true, true), BoardStartWay::kThroughDesktopShell);
  EXPECT_EQ(DecideBoardStart(true, true, false), BoardStartWay::kNotAtAll);
}
