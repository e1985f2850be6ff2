// What the tray icon decides, apart from windows: how a minimised board is shown, what a click
// on the icon does, and when the board goes into the tray at start-up. The one rule behind all
// of it: a hidden board always has an icon to bring it back.
#ifndef VARNEL_DESKTOP_TRAY_RULES_H
#define VARNEL_DESKTOP_TRAY_RULES_H

// The icon's callback message, WM_APP + 100, and its identifier.
constexpr unsigned kTrayCallbackMessage = 32868;
constexpr unsigned kTrayIconId = 1;

// The show commands a minimised board applies to itself (SW_HIDE and SW_MINIMIZE).
constexpr int kShowHide = 0;
constexpr int kShowMinimize = 6;

// The mouse messages that the icon reports in its callback's second parameter.
constexpr unsigned kLeftButtonUp = 0x202;
constexpr unsigned kRightButtonUp = 0x205;

// Hidden only while the icon is there; an ordinary minimised window otherwise.
int MinimizeCommandFor(bool iconShown);

enum class TrayClick { Nothing, HideBoard, RestoreBoard, ShowMenu };

// A notification from the icon. topVisible: the top window of the dialog stack is visible;
// boardOnTop: no dialog is open.
TrayClick DecideTrayClick(unsigned iconId, unsigned mouseMessage, int minimizeCommand, bool topVisible,
                          bool boardOnTop);

enum class StartupHide { Nothing, HideNow, WhenIconArrives };

// The end of start-up with "Hide in Tray at Startup": hiding without an icon would leave the
// board unreachable, so without one the board stays up until the taskbar lets the icon in.
StartupHide DecideStartupHide(int hideInTrayOnStartup, int useSystemTray, bool iconShown);

// On Windows 11 a new icon starts behind the notification area's overflow arrow, so a board
// hidden there for the first time seems gone: a balloon from the icon says where it is, once in
// each run (the settings' values are a fixed list that holds no place to remember it longer).
bool ShouldTellWhereTheBoardIs(bool toldThisRun, bool iconShown, int minimizeCommand);

#endif
