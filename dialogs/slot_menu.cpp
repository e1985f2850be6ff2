// The slot context menu and the single-button rename.
#include "dialogs/slot_menu.h"

#include "dialogs/input_box.h"
#include "resources/resource.h"
#include "state/board_state.h"

HWND ContextButton = nullptr;

namespace {

constexpr const char* kDefineButtonCaption = "Define Button";
constexpr const char* kDefineButtonPrompt = "Define this button name as:";

// The last relayed message: the same right-click delivered twice opens one menu.
UINT lastMessage = 0;
WPARAM lastWParam = 0;
LPARAM lastLParam = 0;

}  // namespace

void CollectCopyButtons() {
  for (int slot = 0; slot < kSlotCount; ++slot) CopyButtonTable[slot] = nullptr;
  for (int slot = 0; slot < kSlotCount; ++slot) {
    CopyButtonTable[slot] = GetDlgItem(BoardHandle, CopyButtonOfSlot(slot));
  }
}

int FindCopyButton(HWND button) {
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (CopyButtonTable[slot] == button) {
      CurrentField = TextFieldOfSlot(slot);
      return 1;
    }
  }
  return 0;
}

void RelayContextMenu(UINT message, WPARAM wParam, LPARAM lParam) {
  if (BoardReady != 1) return;
  if (message == lastMessage && wParam == lastWParam && lParam == lastLParam) return;
  lastMessage = message;
  lastWParam = wParam;
  lastLParam = lParam;
  PostMessageA(BoardHandle, WM_COMMAND, ID_COPY_BUTTON_RIGHT_CLICKED, static_cast<LPARAM>(wParam));
}

void ShowPopupMenu(HWND, int menuId, HWND owner) {
  const DWORD position = GetMessagePos();
  // Signed: positions left of or above the primary screen are negative.
  const int x = static_cast<short>(LOWORD(position));
  const int y = static_cast<short>(HIWORD(position));
  HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
  if (menu == nullptr) return;
  HMENU popup = GetSubMenu(menu, 0);
  if (popup != nullptr) {
    ClipCursor(nullptr);
    ReleaseCapture();
    TrackPopupMenu(popup, TPM_CENTERALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  }
  DestroyMenu(menu);
}

void DefineButton(HWND button) {
  // The name stays on the button as typed; the save that writes it asks about what it changes.
  std::wstring caption = fw::WindowTextWide(button);
  if (AskTextWide(kDefineButtonCaption, kDefineButtonPrompt, caption, static_cast<int>(kButtonNameSize) - 1) == 1) {
    SetWindowTextW(button, caption.c_str());
  }
}

void OpenSlotMenu(HWND clicked) {
  if (clicked == nullptr || FindCopyButton(clicked) == 0) return;
  ContextButton = clicked;
  ShowPopupMenu(clicked, IDR_SLOT_MENU, BoardHandle);
}
