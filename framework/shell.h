// The shell's services: the notification-area icon and opening files and addresses.
// Each goes through a small interface that tests (or another platform) can replace.
#pragma once

#include "framework/dialog.h"

#include <string>

struct NOTIFYICONDATA {
    DWORD cbSize = 88;
    CDialog* hWnd = nullptr; // the window that gets the icon's messages
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0; // sent as (uID, mouse message)
    UINT hIcon = 0;            // icon resource id
    std::string szTip;
};

class NotificationArea {
public:
    virtual ~NotificationArea() = default;
    // False where the desktop has no notification area.
    virtual bool Available() const = 0;
    // False when the window already has an icon with that id, or none can be shown.
    virtual bool Add(const NOTIFYICONDATA& data) = 0;
    virtual bool Delete(const NOTIFYICONDATA& data) = 0;
};

// The notification area in use; tests install their own (nullptr restores the real one).
NotificationArea& GetNotificationArea();
void SetNotificationArea(NotificationArea* area);
NotificationArea& SystemNotificationArea(); // the backend's own

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATA* data);

class ShellService {
public:
    virtual ~ShellService() = default;
    // Opens a file (relative to the current directory) or an address with its program;
    // a value above 32 for success, as the platform answers.
    virtual INT_PTR Open(const std::string& target, int showCmd) = 0;
};

ShellService& GetShellService();
void SetShellService(ShellService* service);
ShellService& SystemShellService(); // the backend's own

INT_PTR ShellExecuteA(CDialog* owner, const char* verb, const char* file, const char* parameters,
                      const char* directory, int showCmd);

// Shows a pop-up menu at the mouse pointer; the chosen item's id reaches `owner` as a
// command.
void TrackPopupMenu(const CMenu& menu, CDialog* owner);
