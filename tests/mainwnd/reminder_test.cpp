#include "wordmill_dlg.h"

#include "app_fixture.h"
#include "modal_driver.h"
#include "registry.h"
#include "resource.h"
#include "shell_doubles.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class ReminderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_CONFIG_HOME");
        m_savedConfig = old ? old : "";
        setenv("XDG_CONFIG_HOME", world.dir.file("config").c_str(), 1);
        world.app.m_nDailyQuota = 40;
    }
    void TearDown() override { setenv("XDG_CONFIG_HOME", m_savedConfig.c_str(), 1); }

    std::string EntryFile() const { return world.dir.file("config/autostart/MyAutoRun.desktop"); }
    void Forced(const std::string& minutes = "30") {
        world.Ini("usermessage", "qiangzhi", "1");
        world.Ini("usermessage", "time", minutes);
    }
    // Runs the main window: `act` on it first, then every step the test queued.
    void RunMain(const std::function<void(QWidget*, CWordmillDlg&)>& act) {
        driver.OnDialog(IDD_WORDMILL_DIALOG, [this, act](QWidget* main) { act(main, *m_dlg); });
        for (auto& step : m_more)
            driver.Then(step);
        CWordmillDlg dlg;
        m_dlg = &dlg;
        world.app.m_pMainWnd = &dlg;
        dlg.DoModal();
        world.app.m_pMainWnd = nullptr;
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
    FakeShell shell;
    ModalDriver driver;
    CWordmillDlg* m_dlg = nullptr;
    std::vector<ModalDriver::Step> m_more;
    std::string m_savedConfig;
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

TEST_F(ReminderTest, TheIntervalIsKeptWithinWhatATimerCanTake) {
    for (const auto& [minutes, period] : {std::pair{"0", 60000u}, std::pair{"-5", 60000u},
                                          std::pair{"99999999", 35791u * 60000u}}) {
        Forced(minutes);
        RunMain([period = period](QWidget* main, CWordmillDlg& dlg) {
            EXPECT_EQ(dlg.GetTimerPeriod(IDT_REMIND), period);
            Key(main, Qt::Key_Escape);
        });
    }
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

TEST_F(ReminderTest, CountsGrowByTheBatchAndTheTurnAtTheQuotaStillRuns) {
    Forced();
    world.Ini("usermessage", "mei", "4");
    std::vector<int> browseCounts, spellCounts;
    for (int tick = 0; tick < 11; ++tick) { // counts 0, 4, …, 40 each run a turn
        ThenDrill(IDD_BROWSE, [this] { EXPECT_EQ(world.IniInt("usermessage", "trmount"), 36); });
        ThenDrill(IDD_SPELL);
        Then([this, &browseCounts, &spellCounts, tick](QWidget* main) {
            browseCounts.push_back(world.IniInt("usermessage", "trmount"));
            spellCounts.push_back(world.IniInt("usermessage", "tsmount"));
            if (tick < 10) {
                QTimer::singleShot(0, [this] { m_dlg->SendTimer(IDT_REMIND); });
                return;
            }
            m_dlg->SendTimer(IDT_REMIND); // at 44 neither turn runs: no drill opens
            EXPECT_EQ(world.IniInt("usermessage", "trmount"), 44);
            Key(main, Qt::Key_Escape);
        });
    }
    RunMain([](QWidget*, CWordmillDlg& dlg) {
        QTimer::singleShot(0, [&dlg] { dlg.SendTimer(IDT_REMIND); });
    });
    const std::vector<int> expected{4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44};
    EXPECT_EQ(browseCounts, expected);
    EXPECT_EQ(spellCounts, expected);
}

TEST_F(ReminderTest, WithoutABatchEveryTickRunsBothTurns) {
    Forced();
    ThenDrill(IDD_BROWSE);
    ThenDrill(IDD_SPELL);
    Then([this](QWidget*) { QTimer::singleShot(0, [this] { m_dlg->SendTimer(IDT_REMIND); }); });
    ThenDrill(IDD_BROWSE);
    ThenDrill(IDD_SPELL);
    Then([](QWidget* main) { Key(main, Qt::Key_Escape); });
    RunMain([](QWidget*, CWordmillDlg& dlg) {
        QTimer::singleShot(0, [&dlg] { dlg.SendTimer(IDT_REMIND); });
    });
    EXPECT_EQ(world.IniInt("usermessage", "trmount"), 0);
}

TEST_F(ReminderTest, ATickDuringAnOpenDrillSeesTheCountWrittenBeforeIt) {
    Forced();
    world.Ini("usermessage", "mei", "4");
    Then([this](QWidget* outerBrowse) { // outer turn wrote 36 before opening this drill
        EXPECT_EQ(TemplateOf(outerBrowse), unsigned(IDD_BROWSE));
        QTimer::singleShot(0, [this] { m_dlg->SendTimer(IDT_REMIND); });
    });
    ThenDrill(IDD_BROWSE);        // the nested turn read 36 and opened another
    ThenDrill(IDD_SPELL, [this] { // nested spelling turn: browse count now 36 + 4
        EXPECT_EQ(world.IniInt("usermessage", "trmount"), 40);
    });
    Then([](QWidget* outerBrowse) { Key(outerBrowse, Qt::Key_Escape); });
    ThenDrill(IDD_SPELL); // the outer spelling turn: 4 + 4 ≤ 40
    Then([](QWidget* main) { Key(main, Qt::Key_Escape); });
    RunMain([](QWidget*, CWordmillDlg& dlg) {
        QTimer::singleShot(0, [&dlg] { dlg.SendTimer(IDT_REMIND); });
    });
    EXPECT_EQ(world.IniInt("usermessage", "trmount"), 4); // the outer turn wrote last: 0 + 4
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

} // namespace
