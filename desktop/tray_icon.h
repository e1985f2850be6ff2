// The board's icon in the notification area.
#ifndef VARNEL_DESKTOP_TRAY_ICON_H
#define VARNEL_DESKTOP_TRAY_ICON_H

// Returns 1 when the icon is in the notification area.
int AddTrayIcon();
void DeleteTrayIcon();

#endif
