// The board's icon in the notification area.
#include "desktop/tray_icon.h"

// The notification-area icon has not been built yet: a board minimised while the option is on
// is hidden with no icon to bring it back from, so start-up treats the option as off until then.
int AddTrayIcon() { return 0; }
void DeleteTrayIcon() {}
