#include "framework/shell.h"

#include "framework/win32/native_shell.h"
#include "framework/win32/wide.h"

#include <set>
#include <utility>

namespace {

// The taskbar's notification area, which every Windows desktop has.
class TaskbarNotificationArea : public NotificationArea {
public:
    bool Available() const override { return true; }
    bool Add(const NOTIFYICONDATA& data) override {
        const auto key = std::pair{data.hWnd->GetSafeHwnd(), data.uID};
        if (!key.first || m_icons.count(key) ||
            !AddNotifyIcon(key.first, data.uID, data.uCallbackMessage, data.hIcon, data.szTip))
            return false;
        m_icons.insert(key);
        return true;
    }
    bool Delete(const NOTIFYICONDATA& data) override {
        const auto key = std::pair{data.hWnd->GetSafeHwnd(), data.uID};
        if (!m_icons.erase(key))
            return false;
        return DeleteNotifyIcon(key.first, data.uID);
    }

private:
    std::set<std::pair<HWND, UINT>> m_icons;
};

class ExplorerShell : public ShellService {
public:
    INT_PTR Open(const std::string& target, int showCmd) override {
        return OpenWithShell(nullptr, "open", target, "", "", showCmd);
    }
};

NotificationArea* g_area = nullptr;
ShellService* g_shell = nullptr;

} // namespace

NotificationArea& GetNotificationArea() {
    static TaskbarNotificationArea taskbar;
    return g_area ? *g_area : taskbar;
}

void SetNotificationArea(NotificationArea* area) {
    g_area = area;
}

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATA* data) {
    if (!data || !data->hWnd)
        return FALSE;
    switch (message) {
    case NIM_ADD:
        return GetNotificationArea().Add(*data);
    case NIM_DELETE:
        return GetNotificationArea().Delete(*data);
    default:
        return FALSE;
    }
}

ShellService& GetShellService() {
    static ExplorerShell real;
    return g_shell ? *g_shell : real;
}

void SetShellService(ShellService* service) {
    g_shell = service;
}

INT_PTR ShellExecuteA(CDialog*, const char* verb, const char* file, const char*, const char*,
                      int showCmd) {
    if (!file || (verb && std::string(verb) != "open"))
        return 0;
    return GetShellService().Open(file, showCmd);
}

void TrackPopupMenu(const CMenu& menu, CDialog* owner) {
    HWND window = owner ? owner->GetSafeHwnd() : nullptr;
    if (!window)
        return;
    HMENU popup = CreatePopupMenu();
    for (const CMenu::Item& item : menu.Items())
        AppendMenuW(popup, item.flags, item.id, Wide(item.text).c_str());
    POINT at{};
    GetCursorPos(&at);
    // The owner in front, or the menu would not close when the learner clicks elsewhere.
    ::SetForegroundWindow(window);
    const UINT chosen = static_cast<UINT>(
        ::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(popup);
    if (chosen)
        owner->SendCommand(static_cast<int>(chosen));
}
