// The board's keyboard shortcuts: which key code runs which menu command.
#ifndef VARNEL_BOARD_SHORTCUT_TABLE_H
#define VARNEL_BOARD_SHORTCUT_TABLE_H

#include <cstdint>

// Eight bytes per row so the table keeps the layout of the key/command pairs it was built from.
struct ShortcutEntry {
  std::uint8_t keyCode;
  std::uint8_t zero[3];
  std::uint32_t commandId;
};
static_assert(sizeof(ShortcutEntry) == 8, "shortcut rows are eight bytes");

// Searched in order; the row whose keyCode is 0 ends the table.
extern const ShortcutEntry ShortcutTable[];

// Only the low byte of keyCode takes part in the comparison, so a code with extra high bits
// matches the row of its low byte and a low byte of 0 matches nothing.
// Returns the first matching row's command, or 0 when no row matches.
std::uint32_t ShortcutCommand(unsigned keyCode);

#endif
