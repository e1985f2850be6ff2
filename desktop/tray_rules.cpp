// The tray icon's decisions.
#include "desktop/tray_rules.h"

int MinimizeCommandFor(bool iconShown) { return iconShown ? kShowHide : kShowMinimize; }

TrayClick DecideTrayClick(unsigned iconId, unsigned mouseMessage, int minimizeCommand, bool topVisible,
                          bool boardOnTop) {
  if (mouseMessage == kLeftButtonUp) {
    // A stale click from an icon of taskbar mode must not hide a board that nothing brings back.
    if (iconId != kTrayIconId || minimizeCommand != kShowHide) return TrayClick::Nothing;
    return topVisible ? TrayClick::HideBoard : TrayClick::RestoreBoard;
  }
  // The menu's Exit would close the board under an open dialog.
  if (mouseMessage == kRightButtonUp) return boardOnTop ? TrayClick::ShowMenu : TrayClick::Nothing;
  return TrayClick::Nothing;
}

StartupHide DecideStartupHide(int hideInTrayOnStartup, int useSystemTray, bool iconShown) {
  if (hideInTrayOnStartup != 1 || useSystemTray != 1) return StartupHide::Nothing;
  return iconShown ? StartupHide::HideNow : StartupHide::WhenIconArrives;
}

bool ShouldTellWhereTheBoardIs(bool toldThisRun, bool iconShown, int minimizeCommand) {
  return !toldThisRun && iconShown && minimizeCommand == kShowHide;
}
