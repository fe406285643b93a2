#include "framework/qt/tray.h"

#include "framework/qt/resources.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QMenu>

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
        const bool statusNotifier = StatusNotifierTrayInUse();
        QObject::connect(
            icon.get(), &QSystemTrayIcon::activated, icon.get(),
            [owner, id, message, statusNotifier](QSystemTrayIcon::ActivationReason reason) {
                owner->SendMessage(message, id, TrayMouseMessage(reason, statusNotifier));
            });
        if (statusNotifier) {
            auto menu = std::make_unique<QMenu>();
            FillTrayMenu(*menu, owner, id, message);
            QMenu* shown = menu.get();
            QObject::connect(shown, &QMenu::aboutToShow, shown, [shown, owner, id, message] {
                FillTrayMenu(*shown, owner, id, message);
            });
            icon->setContextMenu(shown);
            m_menus[key] = std::move(menu);
        }
        icon->show();
        m_icons[key] = std::move(icon);
        return true;
    }

    bool Delete(const NOTIFYICONDATA& data) override {
        const bool had = m_icons.erase({data.hWnd, data.uID}) > 0;
        m_menus.erase({data.hWnd, data.uID});
        return had;
    }

private:
    using Key = std::pair<CDialog*, UINT>;
    std::map<Key, std::unique_ptr<QSystemTrayIcon>> m_icons;
    std::map<Key, std::unique_ptr<QMenu>> m_menus; // status-notifier hosts show these
};

} // namespace

UINT TrayMouseMessage(QSystemTrayIcon::ActivationReason reason, bool statusNotifierTray) {
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::Trigger:
        return statusNotifierTray ? WM_LBUTTONDBLCLK : WM_LBUTTONUP;
    case QSystemTrayIcon::Context:
        return WM_RBUTTONUP;
    case QSystemTrayIcon::MiddleClick:
        return WM_MBUTTONUP;
    default:
        return WM_LBUTTONUP;
    }
}

// The same question Qt asks before it picks the D-Bus tray over the XEmbed one.
bool StatusNotifierTrayInUse() {
    static const bool inUse = [] {
        const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected() || !bus.interface() ||
            !bus.interface()->isServiceRegistered(watcher))
            return false;
        QDBusMessage get = QDBusMessage::createMethodCall(
            watcher, QStringLiteral("/StatusNotifierWatcher"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
        const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return false;
        return reply.arguments().first().value<QDBusVariant>().variant().toBool();
    }();
    return inUse;
}

QMenu*& TrayMenuBeingFilled() {
    static QMenu* menu = nullptr;
    return menu;
}

void FillTrayMenu(QMenu& menu, CDialog* owner, UINT iconId, UINT callbackMessage) {
    QMenu* const previous = std::exchange(TrayMenuBeingFilled(), &menu);
    owner->SendMessage(callbackMessage, iconId, WM_RBUTTONUP);
    TrayMenuBeingFilled() = previous;
}

NotificationArea& DesktopNotificationArea() {
    static QtNotificationArea area;
    return area;
}
