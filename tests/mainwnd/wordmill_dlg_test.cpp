#include "mainwnd/wordmill_dlg.h"

#include "framework/qt/picture_control.h"
#include "framework/qt/tray.h"
#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/shell_doubles.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    static CWordmillDlg* Main(QWidget*) {
        return static_cast<CWordmillDlg*>(GetWordmillApp().m_pMainWnd);
    }
    // Runs the main window with `act` on it, then the steps in `more`.
    INT_PTR RunMain(const std::function<void(QWidget*)>& act,
                    const std::vector<ModalDriver::Step>& more = {}) {
        return RunMainWindow(
            world, driver, [act](QWidget* main, CWordmillDlg&) { act(main); }, more);
    }

    AppWorld world;
    FakeShell shell;
    ModalDriver driver;
};

TEST_F(MainWindowTest, ButtonsAndTrayItemsOpenTheSameDialogs) {
    const std::pair<int, unsigned> buttons[] = {
        {IDC_BROWSE, IDD_BROWSE}, {IDC_SPELL, IDD_SPELL}, {IDC_SETTINGS, IDD_SETTINGS}};
    const std::pair<const char*, unsigned> items[] = {
        {"浏览记忆(&R)", IDD_BROWSE}, {"拼写记忆(&S)", IDD_SPELL}, {"设置(&O)", IDD_SETTINGS}};
    FakeNotificationArea tray(true);
    std::vector<unsigned> opened;
    auto record = [&](QWidget* dlg) {
        opened.push_back(TemplateOf(dlg));
        Key(dlg, Qt::Key_Escape);
    };
    QWidget* mainWindow = nullptr;
    driver.OnDialog(IDD_WORDMILL_DIALOG, [&](QWidget* main) {
        mainWindow = main;
        Click(main, buttons[0].first);
    });
    driver.Then(record).Then([&](QWidget*) { Click(mainWindow, buttons[1].first); });
    driver.Then(record).Then([&](QWidget*) { Click(mainWindow, buttons[2].first); });
    driver.Then(record);
    for (const auto& [text, id] : items) {
        driver.Then([&, text = QString::fromUtf8(text)](QWidget*) {
            ChooseFromNextMenu(text);
            Main(mainWindow)->OnTrayNotify(IDR_MAINFRAME, WM_RBUTTONUP);
        });
        driver.Then(record);
    }
    driver.Then([](QWidget* main) { Key(main, Qt::Key_Escape); });
    CWordmillDlg dlg(world.Context());
    world.app.m_pMainWnd = &dlg;
    dlg.DoModal();
    EXPECT_EQ(opened, (std::vector<unsigned>{IDD_BROWSE, IDD_SPELL, IDD_SETTINGS, IDD_BROWSE,
                                             IDD_SPELL, IDD_SETTINGS}));
}

TEST_F(MainWindowTest, TheTrayMenuOffersEveryWindowAndExitEndsWithoutAsking) {
    FakeNotificationArea tray(true);
    world.Ini("usermessage", "qiangzhi", "1");
    QStringList seen;
    RunMain([&](QWidget* main) {
        ChooseFromNextMenu(QStringLiteral("退出(&X)"), &seen);
        EXPECT_EQ(Main(main)->OnTrayNotify(IDR_MAINFRAME, WM_RBUTTONUP), 0);
    });
    EXPECT_EQ(seen, (QStringList{"浏览记忆(&R)", "拼写记忆(&S)", "游戏记忆(&S)", "设置(&O)",
                                 "学习统计(&T)...", "查词(&F)...", "生词本(&W)...",
                                 "今日复习 0(&V)...", "退出(&X)"}));
}

// A status-notifier host shows the icon's own menu (exported over D-Bus): the same items,
// and choosing one runs its command.
TEST_F(MainWindowTest, TheIconsExportedMenuHasTheItemsAndRunsTheirCommands) {
    QMenu exported;
    RunMain(
        [&](QWidget* main) {
            FillTrayMenu(exported, Main(main), IDR_MAINFRAME, WM_TRAYNOTIFY);
            QStringList items;
            for (QAction* action : exported.actions())
                items << action->text();
            EXPECT_EQ(items, (QStringList{"浏览记忆(&R)", "拼写记忆(&S)", "游戏记忆(&S)",
                                          "设置(&O)", "学习统计(&T)...", "查词(&F)...",
                                          "生词本(&W)...", "今日复习 0(&V)...", "退出(&X)"}));
            exported.actions().at(3)->trigger(); // 设置
        },
        {[](QWidget* settings) {
             EXPECT_EQ(TemplateOf(settings), IDD_SETTINGS);
             Key(settings, Qt::Key_Escape);
         },
         [&](QWidget*) { exported.actions().at(4)->trigger(); }, // 学习统计
         [](QWidget* stats) {
             EXPECT_EQ(TemplateOf(stats), IDD_STATS);
             Key(stats, Qt::Key_Escape);
         },
         [&](QWidget*) { exported.actions().at(5)->trigger(); }, // 查词
         [](QWidget* lookup) {
             EXPECT_EQ(TemplateOf(lookup), IDD_LOOKUP);
             Key(lookup, Qt::Key_Escape);
         },
         [&](QWidget*) { exported.actions().at(8)->trigger(); }}); // 退出
}

// Hidden by 隐藏 or by minimising, the window's loop runs on (the program keeps running)
// until the icon brings it back; each check runs after the loop has gone on without it.
TEST_F(MainWindowTest, HiddenTheProgramRunsOnUntilTheIconBringsTheWindowBack) {
    FakeNotificationArea tray(true);
    bool cameBackTwice = false;
    const INT_PTR result = RunMain([&](QWidget* main) {
        CWordmillDlg* dlg = Main(main);
        Click(main, IDC_HIDE);
        QTimer::singleShot(0, main, [&, main, dlg] {
            EXPECT_FALSE(main->isVisible());
            EXPECT_EQ(tray.icons.size(), 1u);
            EXPECT_EQ(tray.lastTip, "计划任务提醒");
            EXPECT_EQ(dlg->OnTrayNotify(IDR_MAINFRAME, WM_LBUTTONUP), 0); // a single click: nothing
            EXPECT_EQ(dlg->OnTrayNotify(999, WM_LBUTTONDBLCLK), 1);       // another icon: nothing
            EXPECT_FALSE(main->isVisible());
            dlg->OnTrayNotify(IDR_MAINFRAME, WM_LBUTTONDBLCLK);
            EXPECT_TRUE(main->isVisible());
            EXPECT_FALSE(main->isMinimized());

            main->showMinimized();
            QTRY_VERIFY(!main->isVisible());
            QTimer::singleShot(0, main, [&, main, dlg] {
                EXPECT_EQ(tray.icons.size(), 1u); // the second add was refused: still one icon
                EXPECT_EQ(tray.adds, 2);
                dlg->OnTrayNotify(IDR_MAINFRAME, WM_LBUTTONDBLCLK);
                cameBackTwice = main->isVisible() && !main->isMinimized();
                Key(main, Qt::Key_Escape);
            });
        });
    });
    EXPECT_EQ(result, IDCANCEL); // ended by Esc, not by hiding
    EXPECT_TRUE(cameBackTwice);
    EXPECT_TRUE(tray.icons.empty()); // removed when the program ends
}

// While a drill is open, the icon still takes clicks (a top-level window stands in for
// the tray's own) and its menu opens the settings over the drill, owned by it.
TEST_F(MainWindowTest, TheIconAndItsMenuWorkWhileADrillIsOpen) {
    struct TrayWindow : QWidget {
        int clicks = 0;
        void mousePressEvent(QMouseEvent*) override { ++clicks; }
    };
    FakeNotificationArea tray(true);
    QWidget* mainWindow = nullptr;
    QWidget* drill = nullptr;
    int trayClicks = 0;
    RunMain(
        [&](QWidget* main) {
            mainWindow = main;
            Click(main, IDC_BROWSE);
        },
        {[&](QWidget* browse) {
             drill = browse;
             EXPECT_EQ(TemplateOf(browse), unsigned(IDD_BROWSE));
             EXPECT_EQ(browse->parentWidget(), mainWindow);
             TrayWindow trayWindow;
             trayWindow.show();
             trayWindow.resize(20, 20);
             QTest::mouseClick(trayWindow.windowHandle(), Qt::LeftButton, {},
                               QPoint(5, 5)); // through the modal check
             trayClicks = trayWindow.clicks;
             ChooseFromNextMenu(QStringLiteral("设置(&O)"));
             Main(browse)->OnTrayNotify(IDR_MAINFRAME, WM_RBUTTONUP);
         },
         [&](QWidget* settings) {
             EXPECT_EQ(TemplateOf(settings), unsigned(IDD_SETTINGS));
             EXPECT_EQ(settings->parentWidget(), drill);
             Key(settings, Qt::Key_Escape);
         },
         [&](QWidget* browse) {
             EXPECT_EQ(browse, drill);
             Key(browse, Qt::Key_Escape);
         },
         [](QWidget* main) { Key(main, Qt::Key_Escape); }});
    EXPECT_EQ(trayClicks, 1);
}

TEST_F(MainWindowTest, WithoutANotificationAreaTheWindowOnlyMinimises) {
    FakeNotificationArea tray(false);
    RunMain([&](QWidget* main) {
        Click(main, IDC_HIDE);
        EXPECT_TRUE(main->isVisible());
        EXPECT_TRUE(main->isMinimized());
        main->showNormal();
        main->showMinimized();
        QCoreApplication::processEvents(); // the size report comes after the state change
        EXPECT_TRUE(main->isVisible());
        Key(main, Qt::Key_Escape);
    });
}

TEST_F(MainWindowTest, EscEndsAtOnceEvenInForcedMode) {
    world.Ini("usermessage", "qiangzhi", "1");
    RunMain([](QWidget* main) { Key(main, Qt::Key_Escape); });
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(MainWindowTest, TheAboutItemShowsTheAboutBox) {
    QStringList items;
    RunMain(
        [&](QWidget* main) {
            ChooseFromNextMenu(QStringLiteral("关于 Wordmill(&A)..."), &items);
            Key(main, Qt::Key_Space, Qt::AltModifier);
        },
        {[&](QWidget* about) {
             EXPECT_EQ(TemplateOf(about), unsigned(IDD_ABOUTBOX));
             EXPECT_EQ(Text(about, IDOK), QStringLiteral("确定"));
             EXPECT_EQ(items.last(), QStringLiteral("关于 Wordmill(&A)..."));
             Key(about, Qt::Key_Return); // the default button
         },
         [](QWidget* main) {
             EXPECT_EQ(TemplateOf(main), unsigned(IDD_WORDMILL_DIALOG));
             Key(main, Qt::Key_Escape);
         }});
}

TEST_F(MainWindowTest, TheGameButtonAsksForTheGuideThenTheGame) {
    RunMain([&](QWidget* main) {
        Click(main, IDC_GAME);
        Click(main, IDC_HOMEPAGE);
        Key(main, Qt::Key_Escape);
    });
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"游戏指南.txt", "game.exe", kGuidePage}));
}

// What a widget's paint events ask it to draw.
class PaintedRegion : public QObject {
public:
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(MainWindowTest, TheBackgroundIsStretchedOverTheWholeClientArea) {
    RunMain([](QWidget* main) {
        // The banner over it, drawn to its control's size.
        QWidget* banner = nullptr;
        for (QWidget* w : main->findChildren<QWidget*>())
            if (dynamic_cast<PictureControl*>(w))
                banner = w;
        ASSERT_NE(banner, nullptr);
        const QImage drawn = banner->grab().toImage();
        const QImage picture =
            QImage(QStringLiteral(":/res/bitmap150.bmp"))
                .scaled(banner->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        for (QPoint p :
             {QPoint(banner->width() / 3, banner->height() / 2), QPoint(banner->width() - 4, 3)}) {
            const QColor got = drawn.pixelColor(p), want = picture.pixelColor(p);
            EXPECT_NEAR(got.red(), want.red(), 12) << "banner at " << p.x() << "," << p.y();
            EXPECT_NEAR(got.green(), want.green(), 12);
            EXPECT_NEAR(got.blue(), want.blue(), 12);
        }
        // The window's own paint leaves out what the opaque banner covers.
        PaintedRegion painted;
        main->installEventFilter(&painted);
        main->repaint();
        main->removeEventFilter(&painted);
        EXPECT_FALSE(painted.region.intersects(banner->geometry()));
        EXPECT_TRUE(painted.region.contains(QPoint(2, main->height() - 3)));
        // The template's size is the least; larger when maximised.
        for (QSize size : {main->minimumSize(), main->minimumSize() + QSize(300, 200)}) {
            main->resize(size);
            QImage shot = main->grab().toImage();
            QImage expected = QImage(QStringLiteral(":/res/bitmap151.bmp"))
                                  .scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            // Bottom corners: no control lies there.
            for (QPoint p :
                 {QPoint(2, size.height() - 3), QPoint(size.width() - 3, size.height() - 3)}) {
                const QColor got = shot.pixelColor(p), want = expected.pixelColor(p);
                EXPECT_NEAR(got.red(), want.red(), 12)
                    << size.width() << " at " << p.x() << "," << p.y();
                EXPECT_NEAR(got.green(), want.green(), 12);
                EXPECT_NEAR(got.blue(), want.blue(), 12);
            }
        }
        Key(main, Qt::Key_Escape);
    });
}

} // namespace
