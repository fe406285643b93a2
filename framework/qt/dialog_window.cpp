#include "framework/qt/dialog_window.h"

#include "framework/dialog_template.h"
#include "framework/qt/backend.h"
#include "framework/qt/resources.h"
#include "framework/winapp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

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

int MulDiv(int value, int numerator, int denominator) {
    return static_cast<int>((static_cast<long long>(value) * numerator + denominator / 2) /
                            denominator);
}

} // namespace

std::unique_ptr<DialogWindow> CreateDialogWindow(DialogEvents& events, const DialogTemplate& tpl,
                                                 HWND owner) {
    return std::make_unique<QtDialog>(events, tpl, QtWidget(owner));
}

QWidget* ModalOwnerWindow() {
    return QtWidget(ModalOwner());
}

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

QtDialog::QtDialog(DialogEvents& events, const DialogTemplate& tpl, QWidget* ownerWindow)
    : QDialog(ownerWindow, FlagsFor(tpl)), m_events(events), m_template(tpl) {
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
    const CRect size = MapDialogRect({0, 0, tpl.cx, tpl.cy});
    // Without a sizing border the template's size is the least the window may have; a
    // maximise box still lets it grow to the whole screen.
    if (tpl.style & WS_MAXIMIZEBOX)
        setMinimumSize(size.right, size.bottom);
    else
        setFixedSize(size.right, size.bottom);
    BuildControls(*this, tpl);
}

QtDialog::~QtDialog() = default;

void QtDialog::addControl(int id, QWidget* control) {
    control->installEventFilter(this);
    if (id != IDC_STATIC)
        m_controls[id] = control;
}

// ---- The modal run -------------------------------------------------------------------

bool QtDialog::RunModal() {
    setResult(-1);
    if (m_events.Initialise())
        focusFirstTabStop();
    // A loop of our own rather than QDialog::exec(), which also ends when the window is
    // only hidden: here only EndDialog ends it, as on Windows.
    if (!m_ended) {
        QEventLoop loop;
        m_loop = &loop;
        show();
        if (!m_ended)
            loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
    }
    m_events.Destroying();
    return true;
}

// The first enabled tab stop takes the focus, as the dialog manager gives it.
void QtDialog::focusFirstTabStop() {
    for (const ControlTemplate& c : m_template.controls) {
        QWidget* control = (c.style & WS_TABSTOP) ? QtWidget(Control(c.id)) : nullptr;
        if (control && control->isEnabled()) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void QtDialog::End(int result) {
    m_ended = true;
    QDialog::done(result); // hides the window
    if (m_loop)
        m_loop->exit();
}

void QtDialog::done(int result) {
    dialog().EndDialog(result);
}

QtDialog* QtDialog::fromWidget(QWidget* widget) {
    while (widget && !dynamic_cast<QtDialog*>(widget))
        widget = widget->parentWidget();
    return dynamic_cast<QtDialog*>(widget);
}

// ---- Window operations ---------------------------------------------------------------

HWND QtDialog::Handle() const {
    return HandleOf(const_cast<QtDialog*>(this));
}

HWND QtDialog::Control(int id) const {
    auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : HandleOf(it->second);
}

CRect QtDialog::MapDialogRect(const CRect& du) const {
    return {MulDiv(du.left, m_baseX, 4), MulDiv(du.top, m_baseY, 8), MulDiv(du.right, m_baseX, 4),
            MulDiv(du.bottom, m_baseY, 8)};
}

CRect QtDialog::ClientRect() const {
    return {0, 0, width(), height()};
}

BOOL QtDialog::Show(int cmdShow) {
    const BOOL wasVisible = isVisible();
    switch (cmdShow) {
    case SW_HIDE:
        hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        showMaximized();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        showNormal();
        break;
    default:
        show();
        break;
    }
    return wasVisible;
}

BOOL QtDialog::IsVisible() const {
    return isVisible();
}

BOOL QtDialog::IsIconic() const {
    return isMinimized();
}

void QtDialog::SetForeground() {
    raise();
    activateWindow();
}

void QtDialog::SetIcon(UINT iconId) {
    setWindowIcon(LoadIconResource(iconId, kWindowIconLargest));
}

void QtDialog::AddAccelerator(const std::string& keys, int commandId) {
    auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(keys)), this);
    QObject::connect(shortcut, &QShortcut::activated, this,
                     [this, commandId] { dialog().SendCommand(commandId); });
}

bool QtDialog::StartTimer(UINT_PTR id, UINT elapseMs) {
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, this, [this, id] { m_events.Timer(id); });
    }
    timer->start(static_cast<int>(std::min<UINT>(elapseMs, 0x7FFFFFFF)));
    return true;
}

void QtDialog::StopTimer(UINT_PTR id) {
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return;
    // The timer may be the one whose tick is running now: let Qt delete it afterwards.
    it->second->stop();
    it->second.release()->deleteLater();
    m_timers.erase(it);
}

void QtDialog::RevertSystemMenu() {
    m_appendedMenu.clear();
}

BOOL QtDialog::AppendSystemMenuItem(const CMenu::Item& item) {
    m_appendedMenu.push_back(item);
    return TRUE;
}

void QtDialog::DefaultSysCommand(UINT id, LPARAM) {
    switch (id & 0xFFF0) {
    case SC_MINIMIZE:
        showMinimized();
        break;
    case SC_MAXIMIZE:
        showMaximized();
        break;
    case SC_RESTORE:
        showNormal();
        break;
    default: // moving and sizing by keyboard are the window manager's
        break;
    }
}

// ---- Events --------------------------------------------------------------------------

bool QtDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        int id = widget ? widget->property("ctrlId").toInt() : 0;
        if (handleKey(static_cast<QKeyEvent*>(event), id))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QtDialog::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event, 0))
        QDialog::keyPressEvent(event);
}

// The dialog manager's keys, after the dialog's own look at the message.
bool QtDialog::handleKey(QKeyEvent* key, int controlId) {
    MSG msg{WM_KEYDOWN, VirtualKey(key->key()), controlId};
    if (msg.wParam && m_events.PreTranslate(&msg))
        return true;
    const bool alt = key->modifiers() & Qt::AltModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
        dialog().SendCommand(IDCANCEL);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
        if (focused && focused->isEnabled() && fromWidget(focused) == this)
            dialog().SendCommand(focused->property("ctrlId").toInt());
        else
            dialog().SendCommand(m_defaultId);
        return true;
    }
    case Qt::Key_F4:
        if (!alt)
            return false;
        dialog().SendSysCommand(SC_CLOSE);
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

void QtDialog::closeEvent(QCloseEvent* event) {
    // The close box: the dialog decides (OnClose); the window only goes when it ends.
    event->ignore();
    dialog().SendSysCommand(SC_CLOSE);
}

void QtDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    m_events.Paint();
    ReportFirstPaint();
}

// The application hears of its main window's first paint once, when the whole frame is
// drawn: the window paints before its controls, and the frame reaches the screen after both.
void QtDialog::ReportFirstPaint() {
    static bool reported = false;
    CWinApp* app = AfxGetApp();
    if (reported || !app || app->m_pMainWnd != &dialog())
        return;
    reported = true;
    QTimer::singleShot(0, this, [this, app] {
        if (app->OnMainWindowFirstPaint())
            dialog().EndDialog(IDCANCEL);
    });
}

void QtDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    reportSize();
}

void QtDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Reported once the state change is complete: showMinimized() shows the window again
    // after this event, which would undo a hide done in OnSize.
    if (event->type() == QEvent::WindowStateChange)
        QTimer::singleShot(0, this, [this] { reportSize(); });
}

void QtDialog::reportSize() {
    UINT type = isMinimized() ? SIZE_MINIMIZED : isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
    m_events.Size(type, width(), height());
}

void QtDialog::contextMenuEvent(QContextMenuEvent* event) {
    // Right-click on the background (not on a control) offers the system menu.
    if (childAt(event->pos()) == nullptr ||
        childAt(event->pos())->property("ctrlId").toInt() == IDC_STATIC)
        showSystemMenu(event->globalPos());
}

void QtDialog::showSystemMenu(const QPoint& globalPos) {
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
    for (const CMenu::Item& item : m_appendedMenu) {
        if (item.flags & MF_SEPARATOR)
            menu.addSeparator();
        else
            add(ToQt(item.text), item.id, true);
    }
    QAction* chosen = menu.exec(globalPos);
    if (chosen)
        dialog().SendSysCommand(chosen->data().toUInt());
}
