// Tests for the bounded copy, the safe integer parsing and the integer formatting.
#include "desktop/bounded_copy.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <utility>

#include "desktop/code_page.h"

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

TEST(CopyBounded, NeverSplitsACharacterOfTwoOrMoreBytes) {
  const unsigned char cp932Ranges[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  const unsigned char cp936Ranges[] = {0x81, 0xFE, 0, 0};
  const LeadBytes cp932 = LeadBytes::FromRanges(cp932Ranges, sizeof cp932Ranges);
  const LeadBytes cp936 = LeadBytes::FromRanges(cp936Ranges, sizeof cp936Ranges);
  std::string twentyA;  // 20 times HIRAGANA LETTER A in code page 932
  for (int i = 0; i < 20; ++i) twentyA += "\x82\xA0";

  char name[32];
  std::memset(name, '#', sizeof name);
  CopyBounded(name, twentyA.c_str(), sizeof name, cp932);
  EXPECT_EQ(std::string(name), twentyA.substr(0, 30)) << "15 characters; the 16th would need bytes 31 and 32";
  EXPECT_EQ(name[31], '#');
  CopyBounded(name, ("a" + twentyA).c_str(), sizeof name, cp932);
  EXPECT_EQ(std::string(name), "a" + twentyA.substr(0, 30));

  std::string twentyAh;  // 20 times U+554A in code page 936, whose second byte is above 0x80 too
  for (int i = 0; i < 20; ++i) twentyAh += "\xB0\xA1";
  CopyBounded(name, twentyAh.c_str(), sizeof name, cp936);
  EXPECT_EQ(std::string(name), twentyAh.substr(0, 30));
  CopyBounded(name, twentyAh.c_str(), sizeof name, LeadBytes());
  EXPECT_EQ(std::string(name), twentyAh.substr(0, 31)) << "single-byte code pages cut at any byte";

  // 0x41 after a lead byte is the second byte of a character, not the letter A.
  CopyBounded(name, "\x83\x41\x83\x41", 4, cp932);
  EXPECT_EQ(std::string(name), "\x83\x41");
  CopyBounded(name, "ab\x82", 8, cp932);
  EXPECT_EQ(std::string(name), "ab\x82") << "a lead byte at the end stands alone and is kept";

  // UTF-8: "a", e acute, the euro sign and an emoji take 1, 2, 3 and 4 bytes.
  const std::string mixed = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
  const LeadBytes utf8 = LeadBytes::Utf8();
  const std::pair<std::size_t, std::size_t> keptBySize[] = {{3, 1}, {4, 3}, {6, 3}, {7, 6}, {10, 6}, {11, 10}};
  for (const auto& [size, kept] : keptBySize) {
    CopyBounded(name, mixed.c_str(), size, utf8);
    EXPECT_EQ(std::string(name), mixed.substr(0, kept)) << "into " << size << " bytes";
  }
  CopyBounded(name, "\xE2\x82x\xC3", 4, utf8);
  EXPECT_EQ(std::string(name), "\xE2\x82x") << "bytes of no whole character are single ones";

  // The active rule is the one every other copy uses.
  UseLeadBytes(cp932);
  CopyBounded(name, twentyA.c_str(), sizeof name);
  UseLeadBytes(LeadBytes());
  EXPECT_EQ(std::string(name), twentyA.substr(0, 30));
}

TEST(LeadBytes, RangesEndAtAZeroPairAndNulIsNeverALeadByte) {
  const unsigned char ranges[] = {0x81, 0x82, 0, 0, 0xE0, 0xE0};
  const LeadBytes leads = LeadBytes::FromRanges(ranges, sizeof ranges);
  EXPECT_TRUE(leads.IsLead(0x81) && leads.IsLead(0x82));
  EXPECT_FALSE(leads.IsLead(0x80) || leads.IsLead(0x83) || leads.IsLead(0xE0));
  const unsigned char everything[] = {0x00, 0xFF};
  EXPECT_FALSE(LeadBytes::FromRanges(everything, sizeof everything).IsLead(0));
  EXPECT_FALSE(LeadBytes().Any());
  EXPECT_EQ(leads.CharacterLength("\x81", 1), 1u);
  EXPECT_EQ(leads.CharacterLength("\x81x", 2), 2u);
  EXPECT_EQ(leads.CharacterLength("", 0), 0u);
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
