// The pauses of a refused replace: growing, capped, and about three seconds in all.
#include <gtest/gtest.h>

#include "projects/replace_retry.h"

TEST(ReplaceRetry, PausesGrowThenStayAtTheirCap) {
  EXPECT_EQ(ReplaceRetryPauseMs(1, 0), 50u);
  EXPECT_EQ(ReplaceRetryPauseMs(2, 50), 100u);
  EXPECT_EQ(ReplaceRetryPauseMs(3, 150), 200u);
  EXPECT_EQ(ReplaceRetryPauseMs(5, 750), 800u);
  EXPECT_EQ(ReplaceRetryPauseMs(40, 1550), 800u);
}

TEST(ReplaceRetry, AllPausesTogetherMakeTheBudgetAndThenItGivesUp) {
  unsigned waited = 0;
  int attempt = 1;
  for (unsigned pause; (pause = ReplaceRetryPauseMs(attempt, waited)) != 0; ++attempt) waited += pause;
  EXPECT_EQ(waited, kReplaceRetryBudgetMs);
  // A hold of one second is ridden out well before the last try.
  EXPECT_GE(attempt, 6);
  EXPECT_LE(attempt, 12);
  EXPECT_EQ(ReplaceRetryPauseMs(attempt, waited), 0u);
}

TEST(ReplaceRetry, NoPauseBeforeAnyTry) { EXPECT_EQ(ReplaceRetryPauseMs(0, 0), 0u); }
