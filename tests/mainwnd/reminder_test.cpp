#include "mainwnd/wordmill_dlg.h"

#include "framework/registry.h"
#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/scoped_env.h"
#include "support/shell_doubles.h"

#include <QCheckBox>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class ReminderTest : public ::testing::Test {
protected:
    std::string EntryFile() const { return world.dir.file("config/autostart/MyAutoRun.desktop"); }
    void Forced(const std::string& minutes = "30") {
        world.Ini("usermessage", "qiangzhi", "1");
        world.Ini("usermessage", "time", minutes);
    }
    // Runs the main window: `act` on it first, then every step the test queued.
    void RunMain(const std::function<void(QWidget*, CWordmillDlg&)>& act) {
        RunMainWindow(world, driver, act, m_more);
    }
    void Then(ModalDriver::Step step) { m_more.push_back(std::move(step)); }
    // A drill of a reminder turn: checks which, then closes it with Esc.
    void ThenDrill(unsigned templateId, std::function<void()> check = {}) {
        Then([templateId, check](QWidget* drill) {
            EXPECT_EQ(TemplateOf(drill), templateId);
            if (check)
                check();
            Key(drill, Qt::Key_Escape);
        });
    }

    AppWorld world;
    ScopedEnv config{"XDG_CONFIG_HOME", world.dir.file("config")};
    FakeShell shell;
    ModalDriver driver;
    std::vector<ModalDriver::Step> m_more;
};

TEST_F(ReminderTest, WithoutUserSectionTheEntryGoesAndNothingReminds) {
    world.Ini("system", "qiangzhi", "1"); // the settings dialog's switch is not this one
    std::filesystem::create_directories(world.dir.file("config/autostart"));
    world.dir.Write("config/autostart/MyAutoRun.desktop", "[Desktop Entry]\n");
    RunMain([](QWidget* main, CWordmillDlg& dlg) {
        EXPECT_EQ(dlg.GetTimerPeriod(IDT_REMIND), 0u);
        dlg.SendTimer(IDT_REMIND); // a stray tick opens nothing
        main->close();             // and closing asks nothing
    });
    EXPECT_FALSE(std::filesystem::exists(EntryFile()));
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(ReminderTest, ForcedModeWritesTheEntryAndStartsTheTimer) {
    Forced("45");
    RunMain([](QWidget* main, CWordmillDlg& dlg) {
        EXPECT_EQ(dlg.GetTimerPeriod(IDT_REMIND), 45u * 60000u);
        Key(main, Qt::Key_Escape);
    });
    const std::string entry = world.dir.Read("config/autostart/MyAutoRun.desktop");
    EXPECT_NE(entry.find("Exec=\"" + GetModuleFileNameA() + "\"\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("Path=" + world.dir.path().string() + "\n"), std::string::npos) << entry;
}

TEST_F(ReminderTest, AnUnusableAutostartFolderIsReported) {
    Forced();
    world.dir.Write("config", "a file where the folder should be");
    driver.AcceptMessage();
    RunMain([](QWidget* main, CWordmillDlg& dlg) {
        EXPECT_EQ(dlg.GetTimerPeriod(IDT_REMIND), 0u); // no reminders this run
        Key(main, Qt::Key_Escape);
    });
    EXPECT_EQ(driver.messages(), std::vector<std::string>{"打开注册表项失败"});
}

TEST_F(ReminderTest, AnEntryThatCannotBeWrittenIsReportedAndTheTimerStillRuns) {
    Forced();
    std::filesystem::create_directories(EntryFile()); // a folder in the entry's place
    driver.AcceptMessage();
    RunMain([](QWidget* main, CWordmillDlg& dlg) {
        EXPECT_EQ(dlg.GetTimerPeriod(IDT_REMIND), 30u * 60000u);
        Key(main, Qt::Key_Escape);
    });
    EXPECT_EQ(driver.messages(), std::vector<std::string>{"写注册表失败"});
}

TEST_F(ReminderTest, ATickRunsTheBrowseTurnThenTheSpellingTurn) {
    Forced();
    world.Ini("usermessage", "mei", "4");
    ThenDrill(IDD_BROWSE, [this] { EXPECT_EQ(world.IniInt("usermessage", "trmount"), 36); });
    ThenDrill(IDD_SPELL, [this] { EXPECT_EQ(world.IniInt("usermessage", "tsmount"), 36); });
    Then([](QWidget* main) { Key(main, Qt::Key_Escape); });
    RunMain([](QWidget*, CWordmillDlg& dlg) {
        QTimer::singleShot(0, [&dlg] { dlg.SendTimer(IDT_REMIND); });
    });
    EXPECT_EQ(world.IniInt("usermessage", "trmount"), 4);
    EXPECT_EQ(world.IniInt("usermessage", "tsmount"), 4);
}

TEST_F(ReminderTest, ClosingWithAShortDayAsksAndCancelKeepsTheWindow) {
    Forced();
    world.Ini("usermessage", "danci", "10");
    world.Ini("usermessage", "trmount", "12");
    world.Ini("usermessage", "tsmount", "3");
    Then([](QWidget* giveUp) {
        EXPECT_EQ(TemplateOf(giveUp), unsigned(IDD_GIVEUP));
        Click(giveUp, IDCANCEL);
    });
    Then([this](QWidget* main) {
        EXPECT_TRUE(main->isVisible());
        world.Ini("usermessage", "tsmount", "10"); // both counts reached "danci" now
        main->close();
    });
    RunMain([](QWidget* main, CWordmillDlg&) { main->close(); });
}

TEST_F(ReminderTest, EscAndTheTrayExitNeverAsk) {
    Forced();
    world.Ini("usermessage", "danci", "10");
    RunMain([](QWidget* main, CWordmillDlg&) { Key(main, Qt::Key_Escape); });
    RunMain([](QWidget*, CWordmillDlg& dlg) { dlg.SendCommand(IDCANCEL); }); // "退出(&X)"
    EXPECT_TRUE(driver.messages().empty());
}

// Saving 设置 counts at once: forced study on starts the reminder at the saved interval
// and writes the entry, the saved quota is the next drill's; off stops both.
TEST_F(ReminderTest, SavedSettingsTakeEffectWithoutARestart) {
    QWidget* mainWindow = nullptr;
    CWordmillDlg* main = nullptr;
    auto save = [](bool forced, const char* interval) {
        return [forced, interval](QWidget* settings) {
            qobject_cast<QCheckBox*>(Control(settings, IDC_FORCED))->setChecked(forced);
            SetText(settings, IDC_INTERVAL, interval);
            SetText(settings, IDC_EDIT, "25");
            Click(settings, IDOK);
        };
    };
    Then(save(true, "45"));
    Then([](QWidget* box) { Key(box, Qt::Key_Return); }); // 更改成功
    Then(driver.WhenUp(IDD_WORDMILL_DIALOG, [&](QWidget*) {
        EXPECT_EQ(main->GetTimerPeriod(IDT_REMIND), 45u * 60000u);
        EXPECT_TRUE(std::filesystem::exists(EntryFile()));
        Click(mainWindow, IDC_BROWSE);
    }));
    Then([](QWidget* drill) { // counting against the saved quota: 25 less its one word
        EXPECT_EQ(Text(drill, IDC_INFO), QStringLiteral("剩下的单词数为24"));
        Key(drill, Qt::Key_Escape);
    });
    Then([&](QWidget*) { Click(mainWindow, IDC_SETTINGS); });
    Then(save(false, "45"));
    Then([](QWidget* box) { Key(box, Qt::Key_Return); });
    Then(driver.WhenUp(IDD_WORDMILL_DIALOG, [&](QWidget* window) {
        EXPECT_EQ(main->GetTimerPeriod(IDT_REMIND), 0u);
        EXPECT_FALSE(std::filesystem::exists(EntryFile()));
        Key(window, Qt::Key_Escape);
    }));
    RunMain([&](QWidget* window, CWordmillDlg& dlg) {
        mainWindow = window;
        main = &dlg;
        Click(window, IDC_SETTINGS);
    });
    EXPECT_EQ(world.IniInt("CET6", "trmount"), 0); // its one word was never graded
}

} // namespace
