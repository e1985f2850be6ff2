// ScreenTips: the board's tooltip control and the relay that lets it see the pointer.
#include "desktop/screen_tips.h"

#include <commctrl.h>

#include <memory>

#include "desktop/dpi_scale.h"
#include "desktop/screen_dpi.h"
#include "desktop/screen_tip_texts.h"
#include "framework/tooltip.h"
#include "resources/resource.h"
#include "state/board_state.h"

namespace {

constexpr int kReshowMs = 100;
constexpr int kInitialMs = 100;
constexpr int kAutoPopMs = 30000;
// A maximum width is also what makes the control wrap the long texts; at 96 DPI, since the tip's
// font grows with the DPI.
constexpr int kMaxTipWidthAt96 = 300;

// The board's one tooltip control, null while ScreenTips are off. A control that could not be
// created still counts as there until it is switched off, so that it is not tried twice.
std::unique_ptr<fw::ToolTip> boardTips;

}  // namespace

void SetScreenTips(int on) {
  if (on == 0) {
    boardTips.reset();
    return;
  }
  if (boardTips != nullptr) return;
  boardTips = std::make_unique<fw::ToolTip>();
  if (!boardTips->Create(BoardHandle)) return;
  boardTips->SetDelay(TTDT_RESHOW, kReshowMs);
  boardTips->SetDelay(TTDT_INITIAL, kInitialMs);
  boardTips->SetDelay(TTDT_AUTOPOP, kAutoPopMs);
  boardTips->SetMaxWidth(ScaleForDpi(kMaxTipWidthAt96, ScreenDpi()));
  bool first = true;
  for (const ScreenTipTool& tool : ScreenTipTools()) {
    const bool added = boardTips->AddTool(GetDlgItem(BoardHandle, tool.controlId), tool.text);
    if (first && !added) return;
    first = false;
  }
  boardTips->Activate(true);
}

void ToolTipRelay(const MSG* msg) {
  if (boardTips == nullptr || boardTips->Handle() == nullptr) return;
  MSG copy = *msg;
  copy.hwnd = boardTips->WindowFromPoint(msg->pt);
  POINT at = msg->pt;
  if (msg->message >= WM_MOUSEMOVE && msg->message <= WM_MBUTTONDBLCLK && copy.hwnd != nullptr) {
    ScreenToClient(copy.hwnd, &at);
  }
  copy.lParam = MAKELPARAM(at.x, at.y);
  boardTips->RelayEvent(&copy);
}

void ShowScreenTipsChoice() {
  const bool on = WantToolTip == 1;
  BoardMenu.SetText(ID_HELP_SCREENTIPS, on ? kScreenTipsEnabledText : kScreenTipsDisabledText, on);
  DrawMenuBar(BoardHandle);
  SetScreenTips(on ? 1 : 0);
}

void ToggleScreenTips() {
  WantToolTip = BoardMenu.IsChecked(ID_HELP_SCREENTIPS) ? 0 : 1;
  ShowScreenTipsChoice();
}
