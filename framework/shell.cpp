#include "shell.h"

#include "dialog_window.h"
#include "resources.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QUrl>

#include <map>
#include <memory>
#include <utility>

namespace {

class QtNotificationArea : public NotificationArea {
public:
    bool Available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

    bool Add(const NOTIFYICONDATA& data) override {
        const Key key{data.hWnd, data.uID};
        if (!Available() || m_icons.count(key))
            return false;
        auto icon = std::make_unique<QSystemTrayIcon>(LoadIconResource(data.hIcon));
        icon->setToolTip(QString::fromStdString(data.szTip));
        CDialog* owner = data.hWnd;
        const UINT id = data.uID, message = data.uCallbackMessage;
        QObject::connect(icon.get(), &QSystemTrayIcon::activated, icon.get(),
                         [owner, id, message](QSystemTrayIcon::ActivationReason reason) {
                             UINT mouse = reason == QSystemTrayIcon::DoubleClick ? WM_LBUTTONDBLCLK
                                          : reason == QSystemTrayIcon::Context   ? WM_RBUTTONUP
                                                                                 : WM_LBUTTONUP;
                             owner->SendMessage(message, id, mouse);
                         });
        icon->show();
        m_icons[key] = std::move(icon);
        return true;
    }

    bool Delete(const NOTIFYICONDATA& data) override { return m_icons.erase({data.hWnd, data.uID}) > 0; }

private:
    using Key = std::pair<CDialog*, UINT>;
    std::map<Key, std::unique_ptr<QSystemTrayIcon>> m_icons;
};

class DesktopShell : public ShellService {
public:
    INT_PTR Open(const std::string& target, int) override {
        const QString text = QString::fromStdString(target);
        QUrl url(text);
        if (url.scheme().isEmpty() || url.scheme().size() == 1) { // a path, not an address
            QFileInfo file(QDir::current(), text);
            if (!file.exists())
                return 2; // file not found
            url = QUrl::fromLocalFile(file.absoluteFilePath());
        }
        return QDesktopServices::openUrl(url) ? 42 : 31;
    }
};

NotificationArea* g_area = nullptr;
ShellService* g_shell = nullptr;

} // namespace

NotificationArea& GetNotificationArea() {
    static QtNotificationArea real;
    return g_area ? *g_area : real;
}

void SetNotificationArea(NotificationArea* area) { g_area = area; }

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATA* data) {
    if (!data || !data->hWnd)
        return FALSE;
    switch (message) {
    case NIM_ADD: return GetNotificationArea().Add(*data);
    case NIM_DELETE: return GetNotificationArea().Delete(*data);
    default: return FALSE;
    }
}

ShellService& GetShellService() {
    static DesktopShell real;
    return g_shell ? *g_shell : real;
}

void SetShellService(ShellService* service) { g_shell = service; }

INT_PTR ShellExecuteA(CDialog*, const char* verb, const char* file, const char*, const char*,
                      int showCmd) {
    if (!file || (verb && std::string(verb) != "open"))
        return 0;
    return GetShellService().Open(file, showCmd);
}

void TrackPopupMenu(const CMenu& menu, CDialog* owner) {
    QMenu popup;
    popup.setObjectName(QStringLiteral("popupMenu"));
    for (const CMenu::Item& item : menu.Items()) {
        if (item.flags & MF_SEPARATOR) {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(QString::fromStdString(item.text));
        action->setData(item.id);
    }
    QPointer<QWidget> window = owner->Window();
    QAction* chosen = popup.exec(QCursor::pos());
    if (chosen && window)
        owner->SendCommand(static_cast<int>(chosen->data().toUInt()));
}
