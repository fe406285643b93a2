#include "framework/qt/tray.h"

#include <gtest/gtest.h>

namespace {

// What each tray protocol's clicks become: XEmbed trays send a click and a double
// click; status-notifier trays send only an activate for the left button.
TEST(Tray, ClickReasonsBecomeTheIconsMouseMessages) {
    struct Case {
        QSystemTrayIcon::ActivationReason reason;
        bool statusNotifier;
        UINT message;
    };
    const Case cases[] = {
        {QSystemTrayIcon::DoubleClick, false, WM_LBUTTONDBLCLK},
        {QSystemTrayIcon::Trigger, false, WM_LBUTTONUP},
        {QSystemTrayIcon::Context, false, WM_RBUTTONUP},
        {QSystemTrayIcon::MiddleClick, false, WM_MBUTTONUP},
        {QSystemTrayIcon::DoubleClick, true, WM_LBUTTONDBLCLK},
        {QSystemTrayIcon::Trigger, true, WM_LBUTTONDBLCLK},
        {QSystemTrayIcon::Context, true, WM_RBUTTONUP},
        {QSystemTrayIcon::Unknown, true, WM_LBUTTONUP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrayMouseMessage(c.reason, c.statusNotifier), c.message)
            << "reason " << c.reason << (c.statusNotifier ? " (status notifier)" : " (XEmbed)");
}

} // namespace
