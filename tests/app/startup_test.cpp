#include "app/wordmill_app.h"

#include "res/resource.h"
#include "store/settings.h"
#include "support/modal_driver.h"
#include "support/temp_dir.h"
#include "support/word_db.h"

#include <gtest/gtest.h>

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        dir.Enter();
        app.m_pszAppName = "Wordmill";
    }
    TempDir dir;
    CWordmillApp app;
};

// A first start, put off: the main window keeps every default and says so.
TEST_F(Startup, WithoutDatabaseOneMessageThenTheMainWindow) {
    ModalDriver driver;
    bool mainWindowShown = false;
    driver.AcceptMessage();
    driver.Then(driver.WhenUp(IDD_FIRSTSTART, [](QWidget* first) {
        Click(first, IDCANCEL); // 以后再说
    }));
    driver.Then(driver.WhenUp(IDD_WORDMILL_DIALOG, [&](QWidget* main) {
        mainWindowShown = true;
        EXPECT_EQ(main->windowTitle(), QStringLiteral("Wordmill"));
        EXPECT_TRUE(Text(main, IDC_STATUS).contains(QStringLiteral("词库：CET6（六级）")));
        main->close();
    }));
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(mainWindowShown);
    EXPECT_EQ(driver.messages(), std::vector<std::string>{kConnectionFailedMessage});
    EXPECT_EQ(app.m_pConnection->GetState(), adStateClosed);
    EXPECT_EQ(app.m_nDailyQuota, 40);
    EXPECT_FALSE(std::filesystem::exists(dir.file("danci.mdb"))); // nothing was created
    const std::string ini = dir.file("read.ini");
    EXPECT_EQ(settings::BankName(ini), "CET6");
    EXPECT_EQ(settings::ExamDate(ini), "");
    EXPECT_FALSE(settings::IsFirstStart(ini));
    app.ExitInstance();
    EXPECT_TRUE(app.m_pConnection == nullptr);
}

TEST_F(Startup, DataFilesComeFromTheCurrentDirectoryAndTheQuotaIsReadOnce) {
    BuildWordDatabase(dir.file("danci.mdb"), {{"CET6", NumberedWords(3)}});
    dir.Write("read.ini", "[usermessage]\ndanci=10\n[system]\ndanci=33\nCET=1\n");
    ModalDriver driver;
    QWidget* mainWindow = nullptr;
    driver.OnDialog(IDD_WORDMILL_DIALOG, [&](QWidget* main) {
        mainWindow = main;
        EXPECT_EQ(app.m_pConnection->GetState(), adStateOpen);
        EXPECT_EQ(app.m_nDailyQuota, 33);
        dir.Write("read.ini", "[system]\ndanci=45\n"); // as the settings dialog would
        Click(main, IDC_BROWSE);
    });
    driver.Then([](QWidget* browse) { // the drill counts against the quota read at start
        EXPECT_EQ(TemplateOf(browse), unsigned(IDD_BROWSE));
        EXPECT_EQ(Text(browse, IDC_INFO), QStringLiteral("剩下的单词数为32"));
        Key(browse, Qt::Key_Escape);
    });
    driver.Then([&](QWidget*) { Key(mainWindow, Qt::Key_Escape); });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_EQ(app.m_nDailyQuota, 33);
    app.ExitInstance();
    EXPECT_TRUE(app.m_pConnection == nullptr);
}

// The first start asks for the exam once: its bank is the drills' and the main window's,
// its date is kept, and the next start asks nothing.
TEST_F(Startup, TheFirstStartAsksForTheExamOnce) {
    BuildWordDatabase(dir.file("danci.mdb"),
                      {{"CET4", NumberedWords(3, "four")}, {"CET6", NumberedWords(3, "six")}});
    ModalDriver driver;
    driver.Then(driver.WhenUp(IDD_FIRSTSTART, [](QWidget* first) {
        EXPECT_TRUE(Text(first, IDC_FIRST_QUOTA).contains(QStringLiteral("每天背 40 个新词")));
        SetText(first, IDC_EXAMDATE, QStringLiteral("明年六月"));
        Click(first, IDC_FIRST_CET4);
    }));
    driver.AcceptMessage();
    driver.Then(driver.WhenUp(IDD_FIRSTSTART, [](QWidget* first) {
        SetText(first, IDC_EXAMDATE, "2027-6-12");
        Click(first, IDC_FIRST_CET4);
    }));
    QWidget* mainWindow = nullptr;
    driver.Then(driver.WhenUp(IDD_WORDMILL_DIALOG, [&](QWidget* main) {
        mainWindow = main;
        EXPECT_TRUE(Text(main, IDC_STATUS).contains(QStringLiteral("词库：CET4（四级）")));
        Click(main, IDC_SPELL);
    }));
    driver.OnDialog(IDD_SPELL, [](QWidget* spell) {
        EXPECT_EQ(Text(spell, IDC_DRILL_BANK), QStringLiteral("词库：CET4（四级）"));
        EXPECT_EQ(Text(spell, IDC_INFO), QStringLiteral("释义0"));
        Key(spell, Qt::Key_Escape);
    });
    driver.Then([&](QWidget*) { Key(mainWindow, Qt::Key_Escape); });
    app.InitInstance();
    app.ExitInstance();
    EXPECT_EQ(driver.messages().size(), 1u); // the date that was none
    const std::string ini = dir.file("read.ini");
    EXPECT_EQ(settings::BankName(ini), "CET4");
    EXPECT_EQ(settings::ExamDate(ini), "2027-06-12");
    EXPECT_EQ(settings::DailyQuota(ini), 40);

    ModalDriver again; // the main window comes up alone
    again.OnDialog(IDD_WORDMILL_DIALOG, [](QWidget* main) { Click(main, IDC_BROWSE); });
    again.OnDialog(IDD_BROWSE, [](QWidget* browse) {
        EXPECT_EQ(Text(browse, IDC_DRILL_BANK), QStringLiteral("词库：CET4（四级）"));
        Key(browse, Qt::Key_Escape);
    });
    again.Then([](QWidget* main) { Key(main, Qt::Key_Escape); });
    app.InitInstance();
    app.ExitInstance();
}

TEST_F(Startup, ADatabaseThatCannotBeOpenedGivesTheSameSingleMessage) {
    dir.Write("danci.mdb", "not a database at all");
    dir.Write("read.ini", "[CET6]\nrmount=3\n");
    ModalDriver driver;
    driver.AcceptMessage().OnDialog(IDD_WORDMILL_DIALOG, [](QWidget* main) { main->close(); });
    app.InitInstance();
    EXPECT_EQ(driver.messages(), std::vector<std::string>{kConnectionFailedMessage});
    EXPECT_EQ(dir.Read("danci.mdb"), "not a database at all");
    app.ExitInstance();
}

TEST_F(Startup, ExitEndsWhenTheConnectionIsAlreadyClosed) {
    BuildWordDatabase(dir.file("danci.mdb"), {});
    app.m_pConnection.CreateInstance();
    app.m_pConnection->Open(ConnectionString("danci.mdb"), "", "", 0);
    app.m_pConnection->Close(); // closing it again would throw
    EXPECT_NO_THROW(app.ExitInstance());
    EXPECT_TRUE(app.m_pConnection == nullptr);
}

} // namespace
