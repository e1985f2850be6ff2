// Tests for the keyboard shortcut table and its low-byte lookup.
#include "board/shortcut_table.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct ExpectedShortcut {
  unsigned key;
  std::uint32_t command;
};

constexpr ExpectedShortcut kExpectedRows[] = {
    {'1', 32771}, {'2', 32772}, {'3', 32773}, {'4', 32775}, {'5', 32776}, {'6', 32777}, {'F', 32778},
    {'T', 32786}, {'R', 32785}, {'W', 32787}, {'Q', 32788}, {'E', 32789}, {'P', 32790}, {'A', 32809},
};
constexpr int kExpectedRowCount = sizeof kExpectedRows / sizeof kExpectedRows[0];

TEST(ShortcutTable, HoldsRowsInOrderWithZeroPaddingAndTerminator) {
  for (int i = 0; i < kExpectedRowCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(ShortcutTable[i].keyCode, kExpectedRows[i].key);
    EXPECT_EQ(ShortcutTable[i].commandId, kExpectedRows[i].command);
    EXPECT_EQ(ShortcutTable[i].zero[0] | ShortcutTable[i].zero[1] | ShortcutTable[i].zero[2], 0);
  }
  EXPECT_EQ(ShortcutTable[kExpectedRowCount].keyCode, 0);
}

TEST(ShortcutCommand, FindsEveryRowAlsoWithHighBitsSet) {
  for (const ExpectedShortcut& row : kExpectedRows) {
    EXPECT_EQ(ShortcutCommand(row.key), row.command) << row.key;
    EXPECT_EQ(ShortcutCommand(row.key | 0x100u), row.command) << row.key;
    EXPECT_EQ(ShortcutCommand(row.key | 0xFFFF0000u), row.command) << row.key;
  }
}

TEST(ShortcutCommand, MatchesNothingElse) {
  for (unsigned keypad = 0x60; keypad <= 0x69; ++keypad) {
    EXPECT_EQ(ShortcutCommand(keypad), 0u) << keypad;
  }
  for (unsigned key : {0u, 0x100u, 0x4200u, unsigned{'0'}, unsigned{'7'}, unsigned{'B'}, unsigned{'a'}, 0xFFu}) {
    EXPECT_EQ(ShortcutCommand(key), 0u) << key;
  }
}

}  // namespace
