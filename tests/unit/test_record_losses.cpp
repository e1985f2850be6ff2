// Tests for the decisions before a save that would change the board's texts: which slots are
// affected and the question that names them.
#include "desktop/record_losses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(RecordLosses, AffectedSlotsAreThoseWithAChangedOrCutNameOrText) {
  std::vector<SlotFit> fits(33);
  EXPECT_TRUE(AffectedSlots(fits).empty());
  fits[0].name.changed = true;
  fits[7].text.cut = true;
  fits[32].text.changed = true;
  fits[32].name.cut = true;
  EXPECT_EQ(AffectedSlots(fits), (std::vector<int>{0, 7, 32}));
  EXPECT_FALSE(WrittenUnchanged(fits[7]));
  EXPECT_TRUE(WrittenUnchanged(fits[8]));
}

TEST(RecordLosses, QuestionNamesEachButtonByNumberAndNameAndMarksTooLongTexts) {
  std::vector<SlotFit> fits(33);
  std::vector<std::string> names(33);
  names[0] = "Привет";
  names[2] = "Letters";
  fits[0].name.changed = true;
  fits[2].text.cut = true;
  fits[5].text.changed = true;
  const std::vector<int> affected = AffectedSlots(fits);
  EXPECT_EQ(SaveAnywayQuestion(affected, names, fits),
            "These buttons hold characters that a project cannot store, or more text than it can hold:\n\n"
            "Button 1: Привет\n"
            "Button 3: Letters (too long)\n"
            "Button 6: (no name)\n"
            "\nSave anyway? Those characters are written as \"?\" and a text that is too long loses its end.");
}

TEST(RecordLosses, OnlyCodePagesThatCanLoseCharactersAskForTheirSubstitutes) {
  for (unsigned codePage : {874u, 932u, 936u, 949u, 950u, 1250u, 1251u, 1252u, 1253u, 1258u}) {
    EXPECT_TRUE(CodePageReportsSubstitutes(codePage)) << codePage;
  }
  for (unsigned codePage : {65001u, 65000u, 54936u, 50220u, 57002u, 57011u, 42u}) {
    EXPECT_FALSE(CodePageReportsSubstitutes(codePage)) << codePage;
  }
}

}  // namespace
