// ScreenTips: tooltips on the board's controls for beginners.
#include "desktop/screen_tips.h"

// The tooltip texts and their control have not been built yet: the board shows no ScreenTips,
// whatever the option says.
void SetScreenTips(int) {}
