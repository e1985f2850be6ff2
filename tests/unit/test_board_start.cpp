// Which token the board gets when the installer starts it, and what a board started as
// administrator all the same tells the user.
#include <gtest/gtest.h>

#include "board/administrator_notice.h"
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

TEST(BoardAsAdministrator, SaysItApartFromTheUsualStartsOnceEachRun) {
  const TokenElevationFacts apart{true, true, true};
  EXPECT_TRUE(SaysRunningAsAdministrator(apart, false));
  EXPECT_FALSE(SaysRunningAsAdministrator(apart, true));
}

TEST(BoardAsAdministrator, SaysNothingWhereEveryStartSharesOneStore) {
  // Unelevated: the user's usual start itself.
  EXPECT_FALSE(SaysRunningAsAdministrator({false, false, false}, false));
  // UAC off, or the built-in Administrator: no split token.
  EXPECT_FALSE(SaysRunningAsAdministrator({true, false, false}, false));
  // A split token whose filtered half is not virtualised (the policy off; Wine tells no
  // virtualisation at all).
  EXPECT_FALSE(SaysRunningAsAdministrator({true, true, false}, false));
}
