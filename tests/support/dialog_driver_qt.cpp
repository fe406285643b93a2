// The dialog driver on the Qt backend: the modal driver's steps, keys as Qt key events.
#include "framework/qt/backend.h"
#include "support/dialog_driver.h"
#include "support/modal_driver.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace drive {

struct Script::Impl {
    explicit Impl(int watchdogMs) : driver(watchdogMs) {}
    ModalDriver driver;
};

namespace {
ModalDriver::Step OnWidget(Step step) {
    return [step = std::move(step)](QWidget* modal) { step(HandleOf(modal)); };
}
} // namespace

Script::Script(int watchdogMs) : d(std::make_unique<Impl>(watchdogMs)) {}
Script::~Script() = default;

Script& Script::Then(Step step) {
    d->driver.Then(OnWidget(std::move(step)));
    return *this;
}

Script& Script::OnDialog(UINT templateId, Step step) {
    d->driver.OnDialog(templateId, OnWidget(std::move(step)));
    return *this;
}

Script& Script::AcceptMessage() {
    d->driver.AcceptMessage();
    return *this;
}

const std::vector<std::string>& Script::messages() const {
    return d->driver.messages();
}

bool Script::finished() const {
    return d->driver.finished();
}

namespace {
Qt::Key QtKey(WPARAM virtualKey) {
    switch (virtualKey) {
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_F4:
        return Qt::Key_F4;
    default:
        return static_cast<Qt::Key>(virtualKey); // letters and digits share their codes
    }
}
} // namespace

void PressKey(HWND target, WPARAM virtualKey, bool alt) {
    QTest::keyClick(QtWidget(target), QtKey(virtualKey), alt ? Qt::AltModifier : Qt::NoModifier);
}

void PressCloseBox(HWND dialog) {
    QtWidget(dialog)->close();
}

void Click(HWND dialog, int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(QtWidget(Control(dialog, id))))
        button->click();
}

void FocusButton(HWND dialog, int id) {
    QtWidget(Control(dialog, id))->setFocus(Qt::TabFocusReason);
}

HWND Control(HWND dialog, int id) {
    return HandleOf(::Control(QtWidget(dialog), id));
}

UINT TemplateOf(HWND window) {
    return ::TemplateOf(QtWidget(window));
}

bool IsMessageBox(HWND window) {
    return ::IsMessageBox(QtWidget(window));
}

std::string MessageText(HWND window) {
    return ::MessageText(QtWidget(window)).toStdString();
}

HWND OwnerOf(HWND window) {
    return HandleOf(QtWidget(window)->parentWidget());
}

CRect ControlRect(HWND dialog, int id) {
    const QRect r = QtWidget(Control(dialog, id))->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

std::string AccessibleName(HWND control) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(QtWidget(control));
    return accessible ? accessible->text(QAccessible::Name).toStdString() : std::string();
}

void Later(std::function<void()> action) {
    QTimer::singleShot(0, std::move(action));
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

} // namespace drive
