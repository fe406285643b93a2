#include "support/modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

ModalDriver::ModalDriver(int watchdogMs) {
    QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
    m_poll.start(5);
    m_watchdog.setSingleShot(true);
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] { Expire(); });
    m_watchdog.start(watchdogMs);
}

ModalDriver::~ModalDriver() {
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " scripted step(s) never ran";
}

ModalDriver& ModalDriver::Then(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
}

ModalDriver& ModalDriver::OnDialog(unsigned templateId, Step step) {
    return Then([templateId, step = std::move(step)](QWidget* modal) {
        EXPECT_EQ(TemplateOf(modal), templateId)
            << "another window came up: " << modal->windowTitle().toStdString();
        step(modal);
    });
}

ModalDriver::Step ModalDriver::WhenUp(unsigned templateId, Step step) {
    auto shared = std::make_shared<Step>(std::move(step));
    return [this, templateId, shared](QWidget* modal) {
        if (TemplateOf(modal) == templateId)
            return (*shared)(modal);
        m_steps.push_front(WhenUp(templateId, *shared)); // and wait for the next window
    };
}

ModalDriver& ModalDriver::AcceptMessage() {
    return Then([this](QWidget* modal) {
        EXPECT_TRUE(IsMessageBox(modal))
            << "expected a message box, got " << modal->windowTitle().toStdString();
        m_messages.push_back(MessageText(modal).toStdString());
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            box->buttons().front()->click();
    });
}

ModalDriver& ModalDriver::AnswerMessage(const QString& button) {
    return Then([this, button](QWidget* modal) {
        EXPECT_TRUE(IsMessageBox(modal))
            << "expected a message box, got " << modal->windowTitle().toStdString();
        m_messages.push_back(MessageText(modal).toStdString());
        auto* box = qobject_cast<QMessageBox*>(modal);
        for (QAbstractButton* choice : box ? box->buttons() : QList<QAbstractButton*>())
            if (choice->text().startsWith(button))
                return choice->click();
        ADD_FAILURE() << "no button " << button.toStdString();
    });
}

void ModalDriver::Poll() {
    // One step at a time: until the step taken runs, or goes back to wait, the window now
    // up may be the one it is for, not the next step's.
    if (m_stepInFlight)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == m_lastActive)
        return;
    m_lastActive = modal;
    if (m_steps.empty())
        return;
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    // Deferred: the step may open a modal loop of its own, which must not run inside
    // this timer's slot. A window seen only between two others (a drill closed, the next
    // not yet shown), or gone by then, is passed over: the step waits for the window that
    // is up by then.
    QPointer<QWidget> target(modal);
    m_stepInFlight = true;
    QTimer::singleShot(0, &m_poll, [this, target, step = std::move(step)]() mutable {
        m_stepInFlight = false;
        if (!target || QApplication::activeModalWidget() != target.data()) {
            m_steps.push_front(std::move(step));
            m_lastActive = nullptr;
            return;
        }
        step(target);
    });
}

void ModalDriver::Expire() {
    ADD_FAILURE() << "modal driver: timed out with " << m_steps.size() << " step(s) left";
    m_steps.clear();
    m_poll.stop();
    // Unwind every open modal loop so the test ends instead of hanging; this stops with
    // the driver, so the next test starts clean.
    QObject::connect(&m_unwind, &QTimer::timeout, [this] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->done(QDialog::Rejected);
        else
            m_unwind.stop();
    });
    m_unwind.start(1);
}

QWidget* Control(QWidget* dialog, int id) {
    QWidget* control = dialog->findChild<QWidget*>(QStringLiteral("ctrl_%1").arg(id));
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

void SetText(QWidget* dialog, int id, const QString& text) {
    QWidget* control = Control(dialog, id);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setEditText(text);
}

QString Text(QWidget* dialog, int id) {
    QWidget* control = Control(dialog, id);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    return {};
}

void Click(QWidget* dialog, int id) {
    if (auto* button = qobject_cast<QAbstractButton*>(Control(dialog, id)))
        button->click();
}

void Key(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(target, static_cast<Qt::Key>(qtKey), modifiers);
}

unsigned TemplateOf(QWidget* window) {
    return window->property("templateId").toUInt();
}

bool IsMessageBox(QWidget* window) {
    return qobject_cast<QMessageBox*>(window) != nullptr;
}

QString MessageText(QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    return box ? box->text() : QString();
}

void ChooseFromNextMenu(const QString& text, QStringList* seen) {
    QTimer::singleShot(0, [text, seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (seen)
                *seen << (action->isSeparator() ? QStringLiteral("-") : action->text());
            if (action->text() == text)
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
}
