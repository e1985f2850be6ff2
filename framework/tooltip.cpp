// Tooltip control wrapper.
#include "framework/tooltip.h"

#include <commctrl.h>

namespace fw {

bool ToolTip::Create(HWND parent, DWORD styles) {
  Destroy();
  parent_ = parent;
  tip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | styles, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
  return tip_ != nullptr;
}

void ToolTip::Destroy() {
  if (tip_ != nullptr && IsWindow(tip_)) DestroyWindow(tip_);
  tip_ = nullptr;
}

bool ToolTip::AddTool(HWND control, const char* text) {
  if (tip_ == nullptr) return false;
  TOOLINFOA info = {};
  // The size without the reserved field keeps the control from rejecting the structure on
  // common-controls versions older than 6.
  info.cbSize = TTTOOLINFOA_V2_SIZE;
  // Not TTF_SUBCLASS: the owner relays the messages, and a subclassing control would see each
  // one twice.
  info.uFlags = TTF_IDISHWND;
  info.hwnd = parent_;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = const_cast<char*>(text);
  return SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
}

void ToolTip::Activate(bool on) const {
  if (tip_ != nullptr) SendMessageA(tip_, TTM_ACTIVATE, on ? TRUE : FALSE, 0);
}

void ToolTip::SetMaxWidth(int pixels) const {
  if (tip_ != nullptr) SendMessageA(tip_, TTM_SETMAXTIPWIDTH, 0, pixels);
}

void ToolTip::SetDelay(DWORD which, int milliseconds) const {
  if (tip_ != nullptr) SendMessageA(tip_, TTM_SETDELAYTIME, which, MAKELPARAM(milliseconds, 0));
}

HWND ToolTip::WindowFromPoint(POINT screenPoint) const {
  if (tip_ == nullptr) return nullptr;
  return reinterpret_cast<HWND>(SendMessageA(tip_, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&screenPoint)));
}

int ToolTip::ToolCount() const {
  return tip_ != nullptr ? static_cast<int>(SendMessageA(tip_, TTM_GETTOOLCOUNT, 0, 0)) : 0;
}

void ToolTip::RelayEvent(MSG* msg) const {
  if (tip_ != nullptr) SendMessageA(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

}  // namespace fw
