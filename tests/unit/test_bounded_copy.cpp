// Tests for the bounded copy, the safe integer parsing and the integer formatting.
#include "desktop/bounded_copy.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace {

TEST(CopyBounded, HandlesMissingPointers) {
  EXPECT_EQ(CopyBounded(nullptr, "text", 8), nullptr);

  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(CopyBounded(buffer, nullptr, sizeof buffer), buffer);
  EXPECT_STREQ(buffer, "");
}

TEST(CopyBounded, CopiesWholeTextThatFitsExactly) {
  char buffer[6] = {'#', '#', '#', '#', '#', '#'};
  CopyBounded(buffer, "hello", sizeof buffer);
  EXPECT_STREQ(buffer, "hello");
}

TEST(CopyBounded, CutsLongTextAndNeverWritesPastSize) {
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  CopyBounded(buffer, "abcdefghij", 5);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(buffer[5], '#');

  std::memset(buffer, '#', sizeof buffer);
  CopyBounded(buffer, "abc", 1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], '#');

  std::memset(buffer, '#', sizeof buffer);
  CopyBounded(buffer, "abc", 0);
  EXPECT_EQ(buffer[0], '#');
}

TEST(ParseSignedDecimal, ReadsLeadingNumberLikeAtoi) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"12abc", 12}, {" -7", -7}, {"\t+5", 5}, {"abc", 0}, {"", 0},       {"-", 0},
      {"- 3", 0},    {"007", 7},  {"1 2", 1},  {"+-4", 0}, {"\n9", 0},    {"-0", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseSignedDecimal(c.text), c.expected) << '"' << c.text << '"';
  }
  EXPECT_EQ(ParseSignedDecimal(nullptr), 0);
}

TEST(ParseSignedDecimal, ClampsInsteadOfOverflowing) {
  EXPECT_EQ(ParseSignedDecimal("2147483647"), INT_MAX);
  EXPECT_EQ(ParseSignedDecimal("2147483648"), INT_MAX);
  EXPECT_EQ(ParseSignedDecimal("-2147483648"), INT_MIN);
  EXPECT_EQ(ParseSignedDecimal("-2147483649"), INT_MIN);
  EXPECT_EQ(ParseSignedDecimal("99999999999999999999999999999999"), INT_MAX);
  EXPECT_EQ(ParseSignedDecimal("-99999999999999999999999999999999x"), INT_MIN);
}

TEST(FormatInt, RoundTripsThroughParsingAndReportsFullLength) {
  for (int value : {0, -1, 42, INT_MAX, INT_MIN}) {
    char buffer[16];
    const int length = FormatInt(buffer, sizeof buffer, value);
    EXPECT_EQ(length, static_cast<int>(std::strlen(buffer)));
    EXPECT_EQ(ParseSignedDecimal(buffer), value);
  }

  char small[4];
  EXPECT_EQ(FormatInt(small, sizeof small, -12345), 6);
  EXPECT_STREQ(small, "-12");
  EXPECT_EQ(FormatInt(nullptr, 0, 12345), 5);
}

TEST(EqualIgnoringCase, FoldsOnlyAsciiLettersAndComparesWholeStrings) {
  EXPECT_TRUE(EqualIgnoringCase("NewSession", "nEWsESSION"));
  EXPECT_TRUE(EqualIgnoringCase("C:\\A\\b.VRL", "c:\\a\\B.vrl"));
  EXPECT_FALSE(EqualIgnoringCase("NewSession", "NewSession please"));
  EXPECT_FALSE(EqualIgnoringCase("abc", "ab"));
  // Letters beyond A to Z, and the neighbours of the letters, do not fold.
  EXPECT_FALSE(EqualIgnoringCase("\xC4", "\xE4"));
  EXPECT_FALSE(EqualIgnoringCase("@[", "`{"));
  EXPECT_TRUE(EqualIgnoringCase(nullptr, nullptr));
  EXPECT_FALSE(EqualIgnoringCase("", nullptr));
}

}  // namespace
