// The board's icon in the notification area: the option commands, the minimise behaviour, the
// icon's clicks and menu, and its return when the taskbar is created anew.
#ifndef VARNEL_DESKTOP_TRAY_ICON_H
#define VARNEL_DESKTOP_TRAY_ICON_H

#include <windows.h>

#include "desktop/tray_rules.h"

// The number of the taskbar's "TaskbarCreated" broadcast; all bits set (no message has that
// number) until it is registered.
extern UINT TaskbarCreatedMessage;
void RegisterTaskbarCreated();

void DeleteTrayIcon();

// Board start-up, before the board is shown: the option's check mark and the icon.
void StartTrayIcon();
// Board start-up, at its end: "Hide in Tray at Startup".
void FinishTrayStartUp();
// Command 32781, decided by the item's check mark.
void ToggleUseTray();
// The taskbar announced itself: the icon goes back in, and a start-up hide that waited for it
// happens now.
void AnswerTaskbarCreated();
// The board has just hidden itself: the first time in a run that it hides behind the icon, a
// balloon from the icon says where it went.
void TellWhereTheBoardHides();
// The icon's callback message: clicks and the menu.
void AnswerTrayNotification(WPARAM iconId, LPARAM mouseMessage);

// The board's dialogs and message boxes go with it when it is minimised and come back when it
// is restored (Wine leaves them up when the board is minimised by ShowWindow).
void HideBoardDialogs();
void ShowBoardDialogs();

#endif
