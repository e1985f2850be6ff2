// Thin wrapper of a menu handle: attach to a window's menu bar, check marks, texts.
#ifndef VARNEL_FRAMEWORK_MENU_H
#define VARNEL_FRAMEWORK_MENU_H

#include <windows.h>

namespace fw {

class Menu {
 public:
  Menu() = default;
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  void Attach(HMENU menu) { menu_ = menu; }
  HMENU Detach();
  HMENU Handle() const { return menu_; }
  bool IsAttached() const { return menu_ != nullptr; }

  bool IsChecked(UINT command) const;
  void Check(UINT command, bool checked) const;
  // Replaces the text of a command item, keeping its identifier, and sets its check mark.
  void SetText(UINT command, const char* text, bool checked) const;
  // Copies the item's text into buffer; returns its length.
  int Text(UINT command, char* buffer, int size) const;

 private:
  HMENU menu_ = nullptr;
};

// Shows the first popup of a menu resource at a screen point, owned by a window; the chosen
// command reaches the owner as WM_COMMAND. Returns false when the menu could not be loaded.
bool TrackMenuResourcePopup(int menuId, HWND owner, int screenX, int screenY, UINT flags);

}  // namespace fw

#endif
