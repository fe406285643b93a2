// Controls by id and painting, on Qt widgets.
#include "framework/dialog.h"

#include "framework/qt/backend.h"
#include "framework/qt/resources.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>

namespace {

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
