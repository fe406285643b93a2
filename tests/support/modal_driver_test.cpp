#include "support/modal_driver.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<QDialog> ShowModal(const QString& name) {
    auto window = std::make_unique<QDialog>();
    window->setObjectName(name);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

// Runs `meanwhile` once, just before the first queued call delivered after `armed()` holds:
// the moment a loaded machine may put between the driver seeing a window and acting on it.
class BeforeNextQueuedCall : public QObject {
public:
    BeforeNextQueuedCall(std::function<bool()> armed, std::function<void()> meanwhile)
        : m_armed(std::move(armed)), m_meanwhile(std::move(meanwhile)) {
        qApp->installEventFilter(this);
    }
    ~BeforeNextQueuedCall() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MetaCall && m_meanwhile && m_armed())
            std::exchange(m_meanwhile, nullptr)();
        return false;
    }

private:
    std::function<bool()> m_armed;
    std::function<void()> m_meanwhile;
};

// The window a step was taken for goes, and another comes up, before the step runs: the step
// acts on the window up by then, and the next step waits for the window after it.
TEST(ModalDriverTest, AStepWhoseWindowWentActsOnTheNextAndTheStepAfterItWaits) {
    std::vector<std::pair<int, QString>> acted; // step, window
    auto step = [&acted](int number) {
        return
            [&acted, number](QWidget* window) { acted.emplace_back(number, window->objectName()); };
    };
    ModalDriver driver;
    driver.Then(step(1));
    std::unique_ptr<QDialog> first = ShowModal("first"), second;
    BeforeNextQueuedCall hold([&driver] { return driver.finished(); },
                              [&] {
                                  EXPECT_TRUE(acted.empty());
                                  driver.Then(step(2));
                                  first.reset();
                                  second = ShowModal("second");
                                  // Time for the driver to look again: no step may act
                                  // before the one it took first.
                                  EXPECT_FALSE(
                                      QTest::qWaitFor([&acted] { return !acted.empty(); }, 50));
                              });
    ASSERT_TRUE(QTest::qWaitFor([&acted] { return !acted.empty(); }, 2000));
    second.reset();
    const std::unique_ptr<QDialog> third = ShowModal("third");
    ASSERT_TRUE(QTest::qWaitFor([&acted] { return acted.size() == 2; }, 2000));
    const std::vector<std::pair<int, QString>> expected{{1, "second"}, {2, "third"}};
    EXPECT_EQ(acted, expected);
}

} // namespace
