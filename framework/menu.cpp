// Menu wrapper.
#include "framework/menu.h"

namespace fw {

HMENU Menu::Detach() {
  HMENU menu = menu_;
  menu_ = nullptr;
  return menu;
}

bool Menu::IsChecked(UINT command) const {
  if (menu_ == nullptr) return false;
  const UINT state = GetMenuState(menu_, command, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void Menu::Check(UINT command, bool checked) const {
  if (menu_ == nullptr) return;
  CheckMenuItem(menu_, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void Menu::SetText(UINT command, const char* text, bool checked) const {
  if (menu_ == nullptr) return;
  ModifyMenuA(menu_, command, MF_BYCOMMAND | MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED),
              command, text);
}

int Menu::Text(UINT command, char* buffer, int size) const {
  if (size <= 0) return 0;
  buffer[0] = '\0';
  if (menu_ == nullptr) return 0;
  GetMenuStringA(menu_, command, buffer, size, MF_BYCOMMAND);
  // A text that does not fit comes back without its terminator.
  buffer[size - 1] = '\0';
  return lstrlenA(buffer);
}

bool TrackMenuResourcePopup(int menuId, HWND owner, int screenX, int screenY, UINT flags) {
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
  if (menu == nullptr) return false;
  HMENU popup = GetSubMenu(menu, 0);
  if (popup != nullptr) TrackPopupMenu(popup, flags, screenX, screenY, 0, owner, nullptr);
  DestroyMenu(menu);
  return popup != nullptr;
}

}  // namespace fw
