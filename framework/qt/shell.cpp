#include "framework/shell.h"

#include "framework/qt/backend.h"
#include "framework/qt/tray.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QUrl>

namespace {

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

} // namespace

NotificationArea& SystemNotificationArea() {
    return DesktopNotificationArea();
}

ShellService& SystemShellService() {
    static DesktopShell desktop;
    return desktop;
}

namespace {
void AddItems(QMenu& popup, const CMenu& menu) {
    for (const CMenu::Item& item : menu.Items()) {
        if (item.flags & MF_SEPARATOR) {
            popup.addSeparator();
            continue;
        }
        QAction* action = popup.addAction(QString::fromStdString(item.text));
        action->setData(item.id);
    }
}
} // namespace

void TrackPopupMenu(const CMenu& menu, CDialog* owner) {
    if (QMenu* tray = TrayMenuBeingFilled()) { // the icon's own menu: the host shows it
        tray->clear();
        AddItems(*tray, menu);
        for (QAction* action : tray->actions())
            QObject::connect(action, &QAction::triggered, tray, [owner, action] {
                owner->SendCommand(static_cast<int>(action->data().toUInt()));
            });
        return;
    }
    QMenu popup;
    popup.setObjectName(QStringLiteral("popupMenu"));
    AddItems(popup, menu);
    QPointer<QWidget> window = QtWidget(owner->GetSafeHwnd());
    QAction* chosen = popup.exec(QCursor::pos());
    if (chosen && window)
        owner->SendCommand(static_cast<int>(chosen->data().toUInt()));
}
