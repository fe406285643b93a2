// Drives modal dialogs and message boxes in GUI tests: each queued step acts on the next
// modal window that appears. A watchdog fails the test instead of letting it hang.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ModalDriver {
public:
    using Step = std::function<void(QWidget* modal)>;

    explicit ModalDriver(int watchdogMs = 10000);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Acts on the next modal window that becomes active, whatever it is: a newly opened
    // one, or one that is active again after a window over it closed.
    ModalDriver& Then(Step step);
    // The next modal window must be the dialog of that template; `step` acts on it.
    ModalDriver& OnDialog(unsigned templateId, Step step);
    // A step that acts on the dialog of that template once it is the active one, passing
    // over any other: a dialog still up for a moment after the message box over it closed.
    Step WhenUp(unsigned templateId, Step step);
    // The next modal window must be a message box; its text is recorded and it is dismissed.
    ModalDriver& AcceptMessage();
    // As AcceptMessage, answering with the button whose text starts with `button`.
    ModalDriver& AnswerMessage(const QString& button);

    const std::vector<std::string>& messages() const { return m_messages; }
    bool finished() const { return m_steps.empty(); }

private:
    void Poll();
    void Expire();

    std::deque<Step> m_steps;
    std::vector<std::string> m_messages;
    QPointer<QWidget> m_lastActive; // a window counts again once another was active over it
    bool m_stepInFlight = false;    // a step taken off the queue has not run yet
    QTimer m_poll;
    QTimer m_watchdog;
    QTimer m_unwind;
};

// Acting on a dialog window by control id.
QWidget* Control(QWidget* dialog, int id);
void SetText(QWidget* dialog, int id, const QString& text);
QString Text(QWidget* dialog, int id);
void Click(QWidget* dialog, int id);
void Key(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
unsigned TemplateOf(QWidget* window); // 0 for anything that is not a template dialog
bool IsMessageBox(QWidget* window);
// Chooses the item with `text` from the pop-up menu that opens next; `seen` gets every
// item's text ("-" for a separator).
void ChooseFromNextMenu(const QString& text, QStringList* seen = nullptr);
QString MessageText(QWidget* window);
