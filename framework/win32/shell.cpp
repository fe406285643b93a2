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

} // namespace

NotificationArea& SystemNotificationArea() {
    static TaskbarNotificationArea taskbar;
    return taskbar;
}

ShellService& SystemShellService() {
    static ExplorerShell explorer;
    return explorer;
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
