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

  bool Create(HWND parent);
  void Destroy();
  HWND Handle() const { return tip_; }

  // Adds a control (by window handle) with its text; the text is copied by the control.
  bool AddTool(HWND control, const char* text);
  void Activate(bool on) const;
  void SetMaxWidth(int pixels) const;
  int ToolCount() const;
  // Hands a mouse message of the parent's controls to the tooltip control.
  void RelayEvent(MSG* msg) const;

 private:
  HWND parent_ = nullptr;
  HWND tip_ = nullptr;
};

}  // namespace fw

#endif
