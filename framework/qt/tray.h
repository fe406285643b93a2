// The notification icon on the desktop's tray. Private to the framework.
#pragma once

#include "framework/shell.h"

#include <QSystemTrayIcon>

// The mouse message an icon click reaches its window with. Status-notifier trays (the
// D-Bus protocol) send only an activate request for a left click, never a double click:
// there it stands for the double click, so a hidden window can always come back.
UINT TrayMouseMessage(QSystemTrayIcon::ActivationReason reason, bool statusNotifierTray);

// Whether Qt shows icons through a status-notifier host rather than an XEmbed tray.
bool StatusNotifierTrayInUse();

NotificationArea& DesktopNotificationArea();

class QMenu;
// Fills `menu` with the menu the icon's window would pop up on a right click: the items
// and, when chosen, their commands. A status-notifier host shows the icon's menu itself
// (exported over D-Bus), so it must exist before the click.
void FillTrayMenu(QMenu& menu, CDialog* owner, UINT iconId, UINT callbackMessage);
// The menu FillTrayMenu is filling now, or null: TrackPopupMenu fills it instead of
// popping one up.
QMenu*& TrayMenuBeingFilled();
