#include "framework/qt/dialog_window.h"

#include "framework/dialog_template.h"
#include "framework/winapp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

short GetKeyState(int virtualKey) {
    if (virtualKey != VK_CONTROL)
        return 0;
    constexpr short kDown = -0x8000;
    // Follows the key events as they are delivered, as Windows' own state does.
    if (QGuiApplication::keyboardModifiers() & Qt::ControlModifier)
        return kDown;
    return 0;
}

namespace {

// Windows' average character width of a font: (width of A–Z a–z / 26 + 1) / 2.
int AverageCharWidth(const QFontMetrics& fm) {
    const int width = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (width / 26 + 1) / 2;
}

WPARAM VirtualKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_F4:
        return VK_F4;
    default:
        if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
            return static_cast<WPARAM>(qtKey); // same codes as 'A'..'Z'
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return static_cast<WPARAM>(qtKey);
        return 0;
    }
}

Qt::WindowFlags FlagsFor(const DialogTemplate& tpl) {
    Qt::WindowFlags flags = (tpl.exStyle & WS_EX_APPWINDOW) ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint;
    if (tpl.style & WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (tpl.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (tpl.style & WS_MINIMIZEBOX)
        flags |= Qt::WindowMinimizeButtonHint;
    if (tpl.style & WS_MAXIMIZEBOX)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FirstInstalledFamily(std::initializer_list<const char*> families) {
    for (const char* family : families)
        if (QFontDatabase::hasFamily(QLatin1String(family)))
            return QLatin1String(family);
    return {};
}

void SetFamily(QFont& font, const QString& family) {
    if (!family.isEmpty())
        font.setFamily(family);
}

QFont TemplateFont(std::string_view /*face*/, int points) {
    // "宋体" and "System" are not on this system; a CJK sans face stands in for both.
    static const QString family = FirstInstalledFamily(
        {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Noto Sans SC", "Droid Sans Fallback"});
    QFont font;
    SetFamily(font, family);
    font.setPixelSize((points * 96 + 36) / 72); // at 96 dots per inch, as the templates assume
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

DialogWindow::DialogWindow(CDialog* owner, const DialogTemplate& tpl, QWidget* parentWindow)
    : QDialog(parentWindow, FlagsFor(tpl)), m_owner(owner) {
    setObjectName(QStringLiteral("dialog_%1").arg(tpl.id));
    setProperty("templateId", tpl.id);
    setWindowTitle(ToQt(tpl.caption));
    setFont(TemplateFont(tpl.fontFace, tpl.fontPoints));
    QFontMetrics fm(font());
    m_baseX = AverageCharWidth(fm);
    m_baseY = fm.height();
    // Modal to its owner only: an application-modal window would also block the
    // notification icon, whose menu must work while a dialog is open.
    setWindowModality(Qt::WindowModal);
    setSizeGripEnabled(false);
}

void DialogWindow::done(int result) {
    m_owner->EndDialog(result);
}

DialogWindow* DialogWindow::fromWidget(QWidget* widget) {
    while (widget && !dynamic_cast<DialogWindow*>(widget))
        widget = widget->parentWidget();
    return dynamic_cast<DialogWindow*>(widget);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        int id = widget ? widget->property("ctrlId").toInt() : 0;
        if (handleKey(static_cast<QKeyEvent*>(event), id))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event, 0))
        QDialog::keyPressEvent(event);
}

// The dialog manager's keys, after the dialog's own look at the message.
bool DialogWindow::handleKey(QKeyEvent* key, int controlId) {
    MSG msg{WM_KEYDOWN, VirtualKey(key->key()), controlId};
    if (msg.wParam && m_owner->PreTranslateMessage(&msg))
        return true;
    const bool alt = key->modifiers() & Qt::AltModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
        m_owner->SendCommand(IDCANCEL);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (focused && focused->isEnabled() && DialogWindow::fromWidget(focused) == this)
            m_owner->SendCommand(focused->property("ctrlId").toInt());
        else
            m_owner->SendCommand(m_defaultId);
        return true;
    }
    case Qt::Key_F4:
        if (!alt)
            return false;
        m_owner->SendSysCommand(SC_CLOSE);
        return true;
    case Qt::Key_Space:
        if (!alt)
            return false;
        showSystemMenu(mapToGlobal(QPoint(0, 0)));
        return true;
    default:
        return false;
    }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    // The close box: the dialog decides (OnClose); the window only goes when it ends.
    event->ignore();
    m_owner->SendSysCommand(SC_CLOSE);
}

void DialogWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    m_owner->OnPaint();
    ReportFirstPaint();
}

// The application hears of its main window's first paint once, when the whole frame is
// drawn: the window paints before its controls, and the frame reaches the screen after both.
void DialogWindow::ReportFirstPaint() {
    static bool reported = false;
    CWinApp* app = AfxGetApp();
    if (reported || !app || app->m_pMainWnd != m_owner)
        return;
    reported = true;
    QTimer::singleShot(0, this, [this, app] {
        if (app->OnMainWindowFirstPaint())
            m_owner->EndDialog(IDCANCEL);
    });
}

void DialogWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    reportSize();
}

void DialogWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Reported once the state change is complete: showMinimized() shows the window again
    // after this event, which would undo a hide done in OnSize.
    if (event->type() == QEvent::WindowStateChange)
        QTimer::singleShot(0, this, [this] { reportSize(); });
}

void DialogWindow::reportSize() {
    UINT type = isMinimized() ? SIZE_MINIMIZED : isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
    m_owner->OnSize(type, width(), height());
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    // Right-click on the background (not on a control) offers the system menu.
    if (childAt(event->pos()) == nullptr ||
        childAt(event->pos())->property("ctrlId").toInt() == IDC_STATIC)
        showSystemMenu(event->globalPos());
}

void DialogWindow::showSystemMenu(const QPoint& globalPos) {
    CMenu* appended = m_owner->GetSystemMenu(FALSE);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("systemMenu"));
    const bool min = windowFlags() & Qt::WindowMinimizeButtonHint;
    const bool max = windowFlags() & Qt::WindowMaximizeButtonHint;
    auto add = [&](const QString& text, UINT id, bool enabled) {
        QAction* action = menu.addAction(text);
        action->setEnabled(enabled);
        action->setData(id);
    };
    add(QStringLiteral("还原(&R)"), SC_RESTORE, isMinimized() || isMaximized());
    add(QStringLiteral("最小化(&N)"), SC_MINIMIZE, min && !isMinimized());
    add(QStringLiteral("最大化(&X)"), SC_MAXIMIZE, max && !isMaximized());
    menu.addSeparator();
    add(QStringLiteral("关闭(&C)\tAlt+F4"), SC_CLOSE, true);
    for (const CMenu::Item& item : appended->Items()) {
        if (item.flags & MF_SEPARATOR)
            menu.addSeparator();
        else
            add(ToQt(item.text), item.id, true);
    }
    QAction* chosen = menu.exec(globalPos);
    if (chosen)
        m_owner->SendSysCommand(chosen->data().toUInt());
}
