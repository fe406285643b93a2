#include "framework/dialog.h"

#include "framework/dialog_template.h"
#include "framework/qt/dialog_window.h"
#include "framework/qt/picture_control.h"
#include "framework/qt/qt_window.h"
#include "framework/qt/resources.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace {

// Dialogs whose DoModal runs, innermost last.
std::vector<CDialog*> g_running;

int MulDiv(int value, int numerator, int denominator) {
    return static_cast<int>((static_cast<long long>(value) * numerator + denominator / 2) /
                            denominator);
}

QWidget* MakeControl(const ControlTemplate& c, QWidget* parent) {
    switch (c.kind) {
    case ControlKind::PushButton: {
        auto* button = new QPushButton(ToQt(c.text), parent);
        button->setAutoDefault(false); // Enter is the dialog's business, as on Windows
        return button;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(ToQt(c.text), parent);
        if (c.style & BS_LEFTTEXT)
            box->setLayoutDirection(Qt::RightToLeft);
        return box;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(c.style & WS_BORDER);
        if (c.style & ES_NUMBER)
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
        return edit;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(ToQt(c.text), parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Phonetic: {
        auto* label = new QLabel(ToQt(c.text), parent);
        label->setTextFormat(Qt::PlainText);
        static const QString family =
            FirstInstalledFamily({"DejaVu Sans", "Noto Sans", "Liberation Sans"});
        QFont font = label->font();
        SetFamily(font, family);
        label->setFont(font);
        return label;
    }
    case ControlKind::Picture:
        // Scaled to the control, which the template sizes for the picture.
        return new PictureControl(LoadBitmapResource(static_cast<UINT>(c.resourceId)), parent);
    case ControlKind::Icon: {
        auto* label = new QLabel(parent);
        label->setPixmap(LoadIconResource(static_cast<UINT>(c.resourceId)).pixmap(32, 32));
        return label;
    }
    case ControlKind::ListBox:
        return new QListWidget(parent);
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(c.style & CBS_DROPDOWN);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setProperty("sorted", bool(c.style & CBS_SORT));
        return combo;
    }
    }
    return nullptr;
}

void PairLabelsWithFields(const DialogTemplate& dialog, const std::vector<QWidget*>& controls);

QWidget* W(const CWnd* wnd) {
    return QtWidget(wnd->GetSafeHwnd());
}

} // namespace

// ---- CWnd -----------------------------------------------------------------------------

void CWnd::SetWindowText(const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(W(this)))
        edit->setText(qtext);
    else if (auto* button = qobject_cast<QAbstractButton*>(W(this)))
        button->setText(qtext);
    else if (auto* label = qobject_cast<QLabel*>(W(this)))
        label->setText(qtext);
    else if (auto* combo = qobject_cast<QComboBox*>(W(this)))
        combo->setEditText(qtext);
    else if (W(this))
        W(this)->setWindowTitle(qtext);
}

std::string CWnd::GetWindowText() const {
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(W(this)))
        text = edit->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(W(this)))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(W(this)))
        text = label->text();
    else if (auto* combo = qobject_cast<QComboBox*>(W(this)))
        text = combo->currentText();
    else if (W(this))
        text = W(this)->windowTitle();
    return text.toStdString();
}

BOOL CWnd::EnableWindow(BOOL enable) {
    const BOOL wasDisabled = !W(this)->isEnabled();
    W(this)->setEnabled(enable);
    return wasDisabled;
}

void CWnd::SetFocus() {
    W(this)->setFocus(Qt::OtherFocusReason);
}

BOOL CWnd::ShowWindow(int cmdShow) {
    const BOOL wasVisible = W(this)->isVisible();
    W(this)->setVisible(cmdShow != SW_HIDE);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    return W(this)->isVisible();
}

void CWnd::SetAccessibleName(const std::string& name) {
    W(this)->setAccessibleName(QString::fromStdString(name));
}
void CWnd::SetToolTip(const std::string& text) {
    W(this)->setToolTip(QString::fromStdString(text));
}

int CWnd::GetCheck() const {
    auto* box = qobject_cast<QAbstractButton*>(W(this));
    return box && box->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CWnd::SetCheck(int check) {
    if (auto* box = qobject_cast<QAbstractButton*>(W(this)))
        box->setChecked(check == BST_CHECKED);
}

int CWnd::AddString(const std::string& text) {
    if (auto* list = qobject_cast<QListWidget*>(W(this))) {
        const QSignalBlocker programs(list); // the learner's changes only
        list->addItem(QString::fromStdString(text));
        return list->count() - 1;
    }
    auto* combo = qobject_cast<QComboBox*>(W(this));
    if (!combo)
        return CB_ERR;
    const QString item = QString::fromStdString(text);
    int at = combo->count();
    if (combo->property("sorted").toBool()) {
        at = 0;
        while (at < combo->count() &&
               QString::compare(combo->itemText(at), item, Qt::CaseInsensitive) <= 0)
            ++at;
    }
    const QString shown = combo->currentText();
    const int selected = combo->currentIndex();
    combo->insertItem(at, item);
    // Adding never changes what is selected or shown.
    combo->setCurrentIndex(selected < 0 ? -1 : (selected >= at ? selected + 1 : selected));
    if (selected < 0)
        combo->setEditText(shown);
    return at;
}

int CWnd::SetCurSel(int index) {
    if (auto* list = qobject_cast<QListWidget*>(W(this))) {
        const QSignalBlocker programs(list);
        const bool inside = index >= 0 && index < list->count();
        list->setCurrentRow(inside ? index : -1);
        return inside ? index : CB_ERR;
    }
    auto* combo = qobject_cast<QComboBox*>(W(this));
    if (!combo)
        return CB_ERR;
    if (index < 0 || index >= combo->count()) {
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
        return CB_ERR;
    }
    combo->setCurrentIndex(index);
    return index;
}

int CWnd::GetCurSel() const {
    if (auto* list = qobject_cast<QListWidget*>(W(this)))
        return list->currentRow() >= 0 ? list->currentRow() : CB_ERR;
    auto* combo = qobject_cast<QComboBox*>(W(this));
    if (!combo)
        return CB_ERR;
    // An edited text that is not the selected entry means no selection.
    int index = combo->currentIndex();
    if (index >= 0 && combo->itemText(index) != combo->currentText())
        return CB_ERR;
    return index;
}

void CWnd::ResetContent() {
    if (auto* list = qobject_cast<QListWidget*>(W(this))) {
        const QSignalBlocker programs(list);
        list->clear();
    } else if (auto* combo = qobject_cast<QComboBox*>(W(this)))
        combo->clear();
}

int CWnd::GetCount() const {
    if (auto* list = qobject_cast<QListWidget*>(W(this)))
        return list->count();
    if (auto* combo = qobject_cast<QComboBox*>(W(this)))
        return combo->count();
    return CB_ERR;
}

// ---- CMenu, CDataExchange ------------------------------------------------------------

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const std::string& text) {
    m_items.push_back({flags, static_cast<UINT>(id), text});
    return TRUE;
}

// ---- CPaintDC ------------------------------------------------------------------------

struct CPaintDC::Impl {
    QPainter painter;
    const QWidget* Window() const { return static_cast<const QWidget*>(painter.device()); }
};

CPaintDC::CPaintDC(CDialog* dialog) : d(std::make_unique<Impl>()) {
    if (QWidget* window = QtWidget(dialog->GetSafeHwnd()))
        d->painter.begin(window);
}

CPaintDC::~CPaintDC() = default;

BOOL CPaintDC::StretchBitmap(UINT bitmapId, const CRect& rect) {
    if (!d->painter.isActive())
        return FALSE;
    const QImage bitmap = LoadBitmapResource(bitmapId); // seen in place, not decoded
    if (bitmap.isNull())
        return FALSE;
    d->painter.drawImage(QRect(rect.left, rect.top, rect.Width(), rect.Height()), bitmap);
    return TRUE;
}

BOOL CPaintDC::DrawIcon(int x, int y, UINT iconId) {
    if (!d->painter.isActive())
        return FALSE;
    QIcon icon = LoadIconResource(iconId);
    if (icon.isNull())
        return FALSE;
    d->painter.drawPixmap(x, y, icon.pixmap(32, 32));
    return TRUE;
}

namespace {

COLORREF ColorRefOf(const QColor& color) {
    return RGB(static_cast<unsigned>(color.red()), static_cast<unsigned>(color.green()),
               static_cast<unsigned>(color.blue()));
}

QColor QtColorOf(COLORREF color) {
    return QColor(static_cast<int>(GetRValue(color)), static_cast<int>(GetGValue(color)),
                  static_cast<int>(GetBValue(color)));
}

} // namespace

// The style sheet of the skin and of eye protection sets the palette of each window it
// polishes, so the window's palette is what the learner sees.
COLORREF CPaintDC::GetPaperColor() const {
    const QWidget* window = d->Window();
    return ColorRefOf(window ? window->palette().color(QPalette::Window) : QColor(Qt::white));
}

COLORREF CPaintDC::GetInkColor() const {
    const QWidget* window = d->Window();
    return ColorRefOf(window ? window->palette().color(QPalette::WindowText) : QColor(Qt::black));
}

void CPaintDC::FillSolidRect(const CRect& rect, COLORREF color) {
    if (d->painter.isActive())
        d->painter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()),
                            QtColorOf(color));
}

void CPaintDC::TextOut(int x, int y, const std::string& text) {
    if (!d->painter.isActive())
        return;
    const QWidget* window = d->Window();
    d->painter.setFont(window->font());
    d->painter.setPen(QtColorOf(GetInkColor()));
    d->painter.drawText(QPoint(x, y + QFontMetrics(window->font()).ascent()), ToQt(text));
}

// ---- CDialog -------------------------------------------------------------------------

struct CDialog::Backend {
    std::map<UINT_PTR, std::unique_ptr<QTimer>> timers;
    QEventLoop* loop = nullptr; // while DoModal runs its loop
};

CDialog::CDialog(UINT templateId, CWnd* /*parent*/)
    : m_templateId(templateId), m_template(FindDialogTemplate(templateId)),
      m_backend(std::make_unique<Backend>()) {}

CDialog::~CDialog() {
    Destroy();
}

HWND CDialog::GetSafeHwnd() const {
    return HandleOf(m_window);
}
BOOL CDialog::IsWindow() const {
    return m_window != nullptr;
}

CRect CDialog::MapDialogRect(const CRect& du) const {
    const int bx = m_window ? m_window->baseUnitX() : 4;
    const int by = m_window ? m_window->baseUnitY() : 8;
    return {MulDiv(du.left, bx, 4), MulDiv(du.top, by, 8), MulDiv(du.right, bx, 4),
            MulDiv(du.bottom, by, 8)};
}

QWidget* ModalOwnerWindow() {
    return g_running.empty() ? nullptr : QtWidget(g_running.back()->GetSafeHwnd());
}

void CDialog::Build() {
    // The owner is the dialog whose loop is running now, so that window managers keep
    // this one in front of it.
    m_window = new DialogWindow(this, *m_template, ModalOwnerWindow());
    m_self = std::make_unique<CWnd>(HandleOf(m_window));
    const CRect size = MapDialogRect({0, 0, m_template->cx, m_template->cy});
    // Without a sizing border the template's size is the least the window may have; a
    // maximise box still lets it grow to the whole screen.
    if (m_template->style & WS_MAXIMIZEBOX)
        m_window->setMinimumSize(size.right, size.bottom);
    else
        m_window->setFixedSize(size.right, size.bottom);

    QWidget* previous = nullptr;
    std::vector<QWidget*> controls; // in template order
    for (const ControlTemplate& c : m_template->controls) {
        QWidget* control = MakeControl(c, m_window);
        controls.push_back(control);
        const CRect r = MapDialogRect({c.x, c.y, c.x + c.cx, c.y + c.cy});
        // A combo box's template height includes its dropped-down list.
        const int height = c.kind == ControlKind::ComboBox
                               ? std::min(r.Height(), control->sizeHint().height())
                               : r.Height();
        control->setGeometry(r.left, r.top, r.Width(), height);
        control->setProperty("ctrlId", c.id);
        control->setObjectName(QStringLiteral("ctrl_%1").arg(c.id));
        control->setFocusPolicy((c.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::NoFocus);
        control->installEventFilter(m_window);
        if (c.kind == ControlKind::Picture || c.kind == ControlKind::Icon)
            control->lower(); // pictures lie under the controls that follow them
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            if (c.style & BS_DEFPUSHBUTTON) {
                m_window->setDefaultButtonId(c.id);
                button->setDefault(true);
            }
            const int id = c.id;
            QObject::connect(button, &QPushButton::clicked, m_window,
                             [this, id] { SendCommand(id); });
        }
        // Changes the learner makes, not the program's own SetWindowText or SetCurSel.
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            const int id = c.id;
            QObject::connect(edit, &QLineEdit::textEdited, m_window,
                             [this, id] { SendChange(id); });
        }
        if (auto* list = qobject_cast<QListWidget*>(control)) {
            const int id = c.id;
            QObject::connect(list, &QListWidget::itemSelectionChanged, m_window,
                             [this, id] { SendChange(id); });
        }
        if (c.id != IDC_STATIC)
            m_items[c.id] = std::make_unique<CWnd>(HandleOf(control));
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previous)
                QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
    PairLabelsWithFields(*m_template, controls);
}

namespace {

// A field is named, for screen readers, after the text that labels it: the static text
// to its left on the same row, else the one just above it. That text becomes its buddy.
void PairLabelsWithFields(const DialogTemplate& dialog, const std::vector<QWidget*>& controls) {
    const auto& all = dialog.controls;
    // A combo box's template height includes its dropped-down list; its closed box is what
    // a label beside it names.
    static constexpr int kClosedComboHeight = 14;
    auto rectOf = [](const ControlTemplate& c) {
        return QRect(c.x, c.y, c.cx,
                     c.kind == ControlKind::ComboBox ? std::min(c.cy, kClosedComboHeight) : c.cy);
    };
    for (size_t fi = 0; fi < all.size(); ++fi) {
        const ControlTemplate& field = all[fi];
        if (field.kind != ControlKind::Edit && field.kind != ControlKind::ComboBox)
            continue;
        const QRect f = rectOf(field);
        std::optional<size_t> best;
        int bestDistance = 0;
        for (size_t li = 0; li < all.size(); ++li) {
            const ControlTemplate& label = all[li];
            if (label.kind != ControlKind::Static || label.id != IDC_STATIC || label.text.empty())
                continue;
            const QRect l = rectOf(label);
            const bool leftOf =
                l.right() <= f.left() + 2 && l.top() <= f.bottom() && l.bottom() >= f.top();
            const bool above =
                l.bottom() <= f.top() + 2 && l.left() <= f.right() && l.right() >= f.left();
            // Left beats above: measured so that any left label is nearer than any above.
            const int distance = leftOf  ? f.left() - l.right()
                                 : above ? 10000 + f.top() - l.bottom()
                                         : -1;
            if (distance >= 0 && (!best || distance < bestDistance)) {
                best = li;
                bestDistance = distance;
            }
        }
        if (auto* label = best ? qobject_cast<QLabel*>(controls[*best]) : nullptr) {
            label->setBuddy(controls[fi]);
            controls[fi]->setAccessibleName(label->text());
        }
    }
}

} // namespace

void CDialog::Destroy() {
    if (!m_window)
        return;
    while (!m_backend->timers.empty())
        KillTimer(m_backend->timers.begin()->first);
    DialogWindow* window = m_window;
    m_window = nullptr;
    m_items.clear();
    m_self.reset();
    m_systemMenu.reset();
    delete window;
}

INT_PTR CDialog::DoModal() {
    if (!m_template || m_window)
        return -1;
    Build();
    m_ending = false;
    m_result = -1;
    m_window->setResult(-1);
    BOOL focusDefault = OnInitDialog();
    if (focusDefault) {
        // The first tab stop takes the focus, as the dialog manager gives it.
        for (const ControlTemplate& c : m_template->controls)
            if ((c.style & WS_TABSTOP) && m_items.count(c.id) &&
                QtWidget(*m_items[c.id])->isEnabled()) {
                QtWidget(*m_items[c.id])->setFocus(Qt::TabFocusReason);
                break;
            }
    }
    if (!m_ending)
        RunModalLoop();
    OnDestroy();
    Destroy();
    return m_result;
}

// A loop of our own rather than QDialog::exec(), which also ends when the window is only
// hidden: here only EndDialog ends it, as on Windows.
void CDialog::RunModalLoop() {
    QEventLoop loop;
    m_backend->loop = &loop;
    g_running.push_back(this);
    m_window->show();
    if (!m_ending)
        loop.exec(QEventLoop::DialogExec);
    g_running.erase(std::find(g_running.begin(), g_running.end(), this));
    m_backend->loop = nullptr;
}

void CDialog::EndDialog(int result) {
    m_result = result;
    m_ending = true;
    if (m_window)
        m_window->hideWithResult(result);
    if (m_backend->loop)
        m_backend->loop->exit();
}

UINT_PTR CDialog::SetTimer(UINT_PTR id, UINT elapseMs) {
    if (!m_window)
        return 0;
    auto& timer = m_backend->timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, m_window, [this, id] { OnTimer(id); });
    }
    timer->start(static_cast<int>(std::min<UINT>(elapseMs, 0x7FFFFFFF)));
    return id;
}

BOOL CDialog::KillTimer(UINT_PTR id) {
    auto it = m_backend->timers.find(id);
    if (it == m_backend->timers.end())
        return FALSE;
    // The timer may be the one whose tick is running now: let Qt delete it afterwards.
    it->second->stop();
    it->second.release()->deleteLater();
    m_backend->timers.erase(it);
    return TRUE;
}

UINT CDialog::GetTimerPeriod(UINT_PTR id) const {
    auto it = m_backend->timers.find(id);
    return it == m_backend->timers.end() ? 0 : static_cast<UINT>(it->second->interval());
}

CMenu* CDialog::GetSystemMenu(BOOL revert) {
    if (!m_window || !(m_template->style & WS_SYSMENU))
        return nullptr;
    if (!m_systemMenu || revert)
        m_systemMenu = std::make_unique<CMenu>();
    return m_systemMenu.get();
}

BOOL CDialog::ShowWindow(int cmdShow) {
    if (!m_window)
        return FALSE;
    const BOOL wasVisible = m_window->isVisible();
    switch (cmdShow) {
    case SW_HIDE:
        m_window->hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        m_window->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        m_window->showMaximized();
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        m_window->showNormal();
        break;
    default:
        m_window->show();
        break;
    }
    return wasVisible;
}

BOOL CDialog::IsIconic() const {
    return m_window && m_window->isMinimized();
}
BOOL CDialog::IsWindowVisible() const {
    return m_window && m_window->isVisible();
}

void CDialog::SetForegroundWindow() {
    if (m_window) {
        m_window->raise();
        m_window->activateWindow();
    }
}

void CDialog::GetClientRect(CRect* rect) const {
    *rect = m_window ? CRect{0, 0, m_window->width(), m_window->height()} : CRect{};
}

void CDialog::SendSysCommand(UINT id, LPARAM lParam) {
    OnSysCommand(id, lParam);
}

void CDialog::AddAccelerator(const std::string& keys, int commandId) {
    if (!m_window)
        return;
    auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(keys)), m_window);
    QObject::connect(shortcut, &QShortcut::activated, m_window,
                     [this, commandId] { SendCommand(commandId); });
}

void CDialog::SetIcon(UINT iconId) {
    if (m_window)
        m_window->setWindowIcon(LoadIconResource(iconId, kWindowIconLargest));
}

void CDialog::OnPaint() {}

void CDialog::OnSysCommand(UINT id, LPARAM) {
    if (!m_window)
        return;
    switch (id & 0xFFF0) {
    case SC_CLOSE:
        OnClose();
        break;
    case SC_MINIMIZE:
        m_window->showMinimized();
        break;
    case SC_MAXIMIZE:
        m_window->showMaximized();
        break;
    case SC_RESTORE:
        m_window->showNormal();
        break;
    default:
        break;
    }
}
