// Auto Paste sends keys only where Windows lets them arrive.
#include <gtest/gtest.h>

#include "board/paste_decision.h"

TEST(PasteDecision, KeysGoToTargetsOfTheBoardsLevelOrBelow) {
  EXPECT_EQ(DecidePasteWay(kMediumIntegrity, kMediumIntegrity), PasteWay::SendKeys);
  EXPECT_EQ(DecidePasteWay(kLowIntegrity, kMediumIntegrity), PasteWay::SendKeys);
  EXPECT_EQ(DecidePasteWay(kHighIntegrity, kHighIntegrity), PasteWay::SendKeys);
  EXPECT_EQ(DecidePasteWay(kMediumIntegrity, kHighIntegrity), PasteWay::SendKeys);
}

TEST(PasteDecision, AHigherTargetIsToldNotTyped) {
  EXPECT_EQ(DecidePasteWay(kHighIntegrity, kMediumIntegrity), PasteWay::TellUser);
  EXPECT_EQ(DecidePasteWay(kSystemIntegrity, kHighIntegrity), PasteWay::TellUser);
  EXPECT_EQ(DecidePasteWay(kMediumIntegrity, kLowIntegrity), PasteWay::TellUser);
  // Between the named levels (medium plus, 0x2100) the numbers still decide.
  EXPECT_EQ(DecidePasteWay(kMediumIntegrity + 0x100, kMediumIntegrity), PasteWay::TellUser);
}

TEST(PasteDecision, UnknownLevels) {
  // A target that the board may not look into is taken as higher.
  EXPECT_EQ(DecidePasteWay(kUnknownIntegrity, kMediumIntegrity), PasteWay::TellUser);
  // No levels at all (before Windows Vista): keys as ever.
  EXPECT_EQ(DecidePasteWay(kUnknownIntegrity, kUnknownIntegrity), PasteWay::SendKeys);
  EXPECT_EQ(DecidePasteWay(kHighIntegrity, kUnknownIntegrity), PasteWay::SendKeys);
}
