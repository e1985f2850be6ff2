// The board's keyboard shortcut rows and their lookup.
#include "board/shortcut_table.h"

#include "resources/resource.h"

// Key codes are the virtual-key codes of the main keyboard's digits and letters, which equal
// their characters; the keypad's digits have other codes and do not match.
const ShortcutEntry ShortcutTable[] = {
    {'1', {0, 0, 0}, ID_FILE_NEW_PROJECT},
    {'2', {0, 0, 0}, ID_FILE_SAVE_PROJECT},
    {'3', {0, 0, 0}, ID_FILE_SAVEAS_PROJECT},
    {'4', {0, 0, 0}, ID_FILE_EXIT},
    {'5', {0, 0, 0}, ID_EDIT_RENAME_BUTTONS},
    {'6', {0, 0, 0}, ID_EDIT_TEXT_FIELD},
    {'F', {0, 0, 0}, ID_EDIT_FIND},
    {'T', {0, 0, 0}, ID_HELP_SCREENTIPS},
    {'R', {0, 0, 0}, ID_HELP_README},
    {'W', {0, 0, 0}, ID_SUPPORT_WEB},
    {'Q', {0, 0, 0}, ID_SUPPORT_FAQ},
    {'E', {0, 0, 0}, ID_SUPPORT_EMAIL},
    {'P', {0, 0, 0}, ID_SUPPORT_PHONE},
    {'A', {0, 0, 0}, ID_HELP_ABOUT},
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
