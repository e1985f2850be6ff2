// ScreenTips: tooltips on the board's controls for beginners.
#ifndef VARNEL_DESKTOP_SCREEN_TIPS_H
#define VARNEL_DESKTOP_SCREEN_TIPS_H

// Turns the board's ScreenTips on (1) or off (0).
void SetScreenTips(int on);

#endif
