// The board's keyboard shortcut rows and their lookup.
#include "board/shortcut_table.h"

const ShortcutEntry ShortcutTable[] = {
    {49, {0, 0, 0}, 32771},  // 1
    {50, {0, 0, 0}, 32772},  // 2
    {51, {0, 0, 0}, 32773},  // 3
    {52, {0, 0, 0}, 32775},  // 4
    {53, {0, 0, 0}, 32776},  // 5
    {54, {0, 0, 0}, 32777},  // 6
    {70, {0, 0, 0}, 32778},  // F
    {84, {0, 0, 0}, 32786},  // T
    {82, {0, 0, 0}, 32785},  // R
    {87, {0, 0, 0}, 32787},  // W
    {81, {0, 0, 0}, 32788},  // Q
    {69, {0, 0, 0}, 32789},  // E
    {80, {0, 0, 0}, 32790},  // P
    {65, {0, 0, 0}, 32809},  // A
    {0, {0, 0, 0}, 0},
};

std::uint32_t ShortcutCommand(unsigned keyCode) {
  const std::uint8_t lowByte = static_cast<std::uint8_t>(keyCode & 0xFFu);
  for (const ShortcutEntry* entry = ShortcutTable; entry->keyCode != 0; ++entry) {
    if (entry->keyCode == lowByte) {
      return entry->commandId;
    }
  }
  return 0;
}
