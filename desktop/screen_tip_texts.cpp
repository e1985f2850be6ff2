// The ScreenTips' texts and their controls.
#include "desktop/screen_tip_texts.h"

#include "state/slots.h"

const char* const kScreenTipsEnabledText =
    "Show ScreenTips for Beginners - Enabled - Select to turn Screen&Tips OFF\tCtrl+T";
const char* const kScreenTipsDisabledText =
    "Show ScreenTips for Beginners - Disabled - Select to turn Screen&Tips ON\tCtrl+T";

namespace {

constexpr const char* kMinOnEachCopyTip =
    "When this option is checked, Varnel minimizes each time you select one of the Varnel copy buttons. This is "
    "handy if you are filling in a form that takes the whole screen. Example: When you need some data, click the "
    "Varnel button on the [Taskbar] and Varnel will appear over the top of your form. Select the Varnel copy button "
    "that you need. Varnel will copy the data into the Windows clipboard and minimize until you need it again, "
    "leaving your form where you can get to it easily.";
constexpr const char* kTopMostTip =
    "When this option is checked, Varnel becomes a TopMost Application. This is handy if you are filling in a form "
    "and want to move Varnel around on top of the form. With Varnel TopMost, it will not fall into the background "
    "even if you click on the form or other applications.";
constexpr const char* kProjectComboTip =
    "Open a Varnel project that you saved earlier, or one of the SAMPLE.VRL files that came with Varnel.";
constexpr const char* kMarkerTip = "The position where the next item will be put when you select it.";
constexpr const char* kLabelTip = "The position that this item will be put after all selecting is completed.";
constexpr const char* kCopyButtonTip =
    "Select this button to copy text into the Windows clipboard. Then you can go into any program and use the "
    "[Edit], [Paste] command or [Ctrl+V] to paste the text. o- To rename this button you can [Right Click] this "
    "button and select [Rename Button]. o- To edit the field just to the right you can [Right Click] this button "
    "and select [Edit Text Field]. o- To rename this button or edit the last slected text field from the main menu "
    "select [Edit], [Rename Button] or [Edit Text Field].";
constexpr const char* kTextFieldTip =
    "This field holds up to 10240 text characters. To edit it you can: o- [Right Click] the button just to the left "
    "and select [Edit Text Field]. o- Type directly into it. o- [Right Click], and use the [Undo, Cut, Copy, Paste, "
    "Select All] menu.";

std::array<ScreenTipTool, kScreenTipToolCount> MakeTools() {
  std::array<ScreenTipTool, kScreenTipToolCount> tools{};
  int next = 0;
  tools[next++] = {IDC_MIN_ON_EACH_COPY, kMinOnEachCopyTip};
  tools[next++] = {IDC_TOPMOST, kTopMostTip};
  tools[next++] = {IDC_PROJECT_COMBO, kProjectComboTip};
  for (int slot = 0; slot < kSlotCount; ++slot) tools[next++] = {MarkerOfSlot(slot), kMarkerTip};
  for (int slot = 0; slot < kSlotCount; ++slot) tools[next++] = {LabelOfSlot(slot), kLabelTip};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    tools[next++] = {CopyButtonOfSlot(slot), kCopyButtonTip};
    tools[next++] = {TextFieldOfSlot(slot), kTextFieldTip};
  }
  return tools;
}

}  // namespace

const std::array<ScreenTipTool, kScreenTipToolCount>& ScreenTipTools() {
  static const std::array<ScreenTipTool, kScreenTipToolCount> tools = MakeTools();
  return tools;
}
