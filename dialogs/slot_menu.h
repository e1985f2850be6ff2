// The slot context menu: a right-click on a copy button offers to rename it or edit its field.
#ifndef VARNEL_DIALOGS_SLOT_MENU_H
#define VARNEL_DIALOGS_SLOT_MENU_H

#include <windows.h>

// The copy button whose context menu was last opened, or null.
extern HWND ContextButton;

// Fills the table of copy-button handles in slot order.
void CollectCopyButtons();
// 1 when button is one of the 33 copy buttons; its slot's field then becomes current.
int FindCopyButton(HWND button);
// From the board's window procedure: a context-menu request or tray notification becomes
// command 32815, once per distinct message, and only after start-up has finished.
void RelayContextMenu(UINT message, WPARAM wParam, LPARAM lParam);
// Tracks the first popup of a menu resource at the pointer position of the current message.
void ShowPopupMenu(HWND near, int menuId, HWND owner);
// Asks for a new caption of one copy button.
void DefineButton(HWND button);
// Command 32815: open the slot context menu for a right-clicked window.
void OpenSlotMenu(HWND clicked);

#endif
