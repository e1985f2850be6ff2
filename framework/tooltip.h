// Thin wrapper of the common controls' tooltip control.
#ifndef VARNEL_FRAMEWORK_TOOLTIP_H
#define VARNEL_FRAMEWORK_TOOLTIP_H

#include <windows.h>

namespace fw {

class ToolTip {
 public:
  ToolTip() = default;
  ~ToolTip() { Destroy(); }
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;

  // A popup owned by parent, with styles beyond WS_POPUP (TTS_ALWAYSTIP shows tips also while
  // the parent is not active).
  bool Create(HWND parent, DWORD styles = 0);
  void Destroy();
  HWND Handle() const { return tip_; }

  // Adds a control (by window handle) with its text; the text is copied by the control. The
  // control sees the control's mouse messages only through RelayEvent.
  bool AddTool(HWND control, const char* text);
  void Activate(bool on) const;
  void SetMaxWidth(int pixels) const;
  // which: TTDT_INITIAL, TTDT_RESHOW or TTDT_AUTOPOP.
  void SetDelay(DWORD which, int milliseconds) const;
  int ToolCount() const;
  // The window under a screen point, as the tooltip control finds it.
  HWND WindowFromPoint(POINT screenPoint) const;
  // Hands a mouse message of the parent's controls to the tooltip control.
  void RelayEvent(MSG* msg) const;

 private:
  HWND parent_ = nullptr;
  HWND tip_ = nullptr;
};

}  // namespace fw

#endif
