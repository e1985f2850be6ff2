// Whether Auto Paste may send its keystrokes: Windows silently drops input that a program sends
// to a program of a higher integrity level (an administrator's console, Task Manager), so a
// paste there would do nothing while seeming to work.
#ifndef VARNEL_BOARD_PASTE_DECISION_H
#define VARNEL_BOARD_PASTE_DECISION_H

// Integrity levels are the last part of a token's mandatory label: 0x1000 low, 0x2000 medium,
// 0x3000 high, 0x4000 system. A level that could not be read is unknown.
constexpr long kUnknownIntegrity = -1;
constexpr long kLowIntegrity = 0x1000;
constexpr long kMediumIntegrity = 0x2000;
constexpr long kHighIntegrity = 0x3000;
constexpr long kSystemIntegrity = 0x4000;

enum class PasteWay { SendKeys, TellUser };

// A board that cannot read its own level runs where levels do not exist (before Windows Vista)
// or are not told: it sends the keys as ever. A target whose level cannot be read while the
// board's can is taken as higher: its process is one this board may not look into.
PasteWay DecidePasteWay(long targetLevel, long boardLevel);

#endif
