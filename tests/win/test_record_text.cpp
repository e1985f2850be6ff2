// The conversion from the board's Unicode controls to the project record, against the system's
// own code page (1252 in the test prefix): no look-alike substitutes, and cuts that end on a
// whole character.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "desktop/record_text.h"

namespace {

struct Converted {
  std::string bytes;
  FieldFit fit;
};

Converted Convert(const std::wstring& text, int size) {
  std::string buffer(static_cast<std::size_t>(size) + 4, '#');
  const FieldFit fit = ToRecordText(text.c_str(), static_cast<int>(text.size()), buffer.data(), size);
  EXPECT_EQ(buffer[static_cast<std::size_t>(size)], '#') << "wrote past the field";
  return {buffer.c_str(), fit};
}

TEST(RecordText, CodePageCharactersPassAndOthersBecomeQuestionMarksWithoutLookAlikes) {
  ASSERT_EQ(GetACP(), 1252u) << "these cases are written for the Western code page";
  Converted western = Convert(L"\u00e9\u00fc\u00df\u20ac\u201c\u201d\u2014?", 32);
  EXPECT_EQ(western.bytes, "\xE9\xFC\xDF\x80\x93\x94\x97?");
  EXPECT_TRUE(WrittenUnchanged(western.fit));

  // Greek alpha would become a Latin a and mu the micro sign with the system's best fit.
  Converted greek = Convert(L"\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1", 32);
  EXPECT_EQ(greek.bytes, "????????");
  EXPECT_TRUE(greek.fit.changed);
  EXPECT_FALSE(greek.fit.cut);

  Converted emoji = Convert(L"a\U0001F600", 32);
  EXPECT_EQ(emoji.bytes.substr(0, 1), "a");
  EXPECT_TRUE(emoji.fit.changed);

  EXPECT_EQ(Convert(L"", 32).bytes, "");
  EXPECT_TRUE(WrittenUnchanged(Convert(L"", 32).fit));
}

TEST(RecordText, ALongTextIsCutToTheFieldAndNeverInsideACharacterPair) {
  Converted name = Convert(std::wstring(40, L'n'), 32);
  EXPECT_EQ(name.bytes, std::string(31, 'n'));
  EXPECT_TRUE(name.fit.cut);
  EXPECT_FALSE(name.fit.changed);

  Converted full = Convert(std::wstring(10239, L'x'), 10240);
  EXPECT_EQ(full.bytes.size(), 10239u);
  EXPECT_TRUE(WrittenUnchanged(full.fit));

  // 30 letters and an emoji: two units of UTF-16 that fit only half into the last byte.
  Converted pair = Convert(std::wstring(30, L'p') + L"\U0001F600", 32);
  EXPECT_EQ(pair.bytes.substr(0, 30), std::string(30, 'p'));
  EXPECT_LE(pair.bytes.size(), 31u);
  EXPECT_TRUE(pair.fit.changed);
}

TEST(RecordText, TheBoardSeesWhatTheRecordWouldStore) {
  FieldFit fit;
  EXPECT_EQ(AsRecordWouldStore(L"caf\u00e9", 32, &fit), L"caf\u00e9");
  EXPECT_TRUE(WrittenUnchanged(fit));
  EXPECT_EQ(AsRecordWouldStore(L"\u4f60\u597d", 32, &fit), L"??");
  EXPECT_TRUE(fit.changed);
  EXPECT_EQ(Utf8Of(L"\u041c\u043e"), "Мо");
}

}  // namespace
