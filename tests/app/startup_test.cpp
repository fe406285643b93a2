#include "app/wordmill_app.h"

#include "res/resource.h"
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

TEST_F(Startup, WithoutDatabaseOneMessageThenTheMainWindow) {
    ModalDriver driver;
    bool mainWindowShown = false;
    driver.AcceptMessage().OnDialog(IDD_WORDMILL_DIALOG, [&](QWidget* main) {
        mainWindowShown = true;
        EXPECT_EQ(main->windowTitle(), QStringLiteral("Wordmill"));
        main->close();
    });
    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(mainWindowShown);
    EXPECT_EQ(driver.messages(), std::vector<std::string>{kConnectionFailedMessage});
    EXPECT_EQ(app.m_pConnection->GetState(), adStateClosed);
    EXPECT_EQ(app.m_nDailyQuota, 40);
    EXPECT_FALSE(std::filesystem::exists(dir.file("danci.mdb"))); // nothing was created
    app.ExitInstance();
    EXPECT_TRUE(app.m_pConnection == nullptr);
}

TEST_F(Startup, DataFilesComeFromTheCurrentDirectoryAndTheQuotaIsReadOnce) {
    BuildWordDatabase(dir.file("danci.mdb"), {{"CET6", NumberedWords(3)}});
    dir.Write("read.ini", "[usermessage]\ndanci=10\n[system]\ndanci=33\n");
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

TEST_F(Startup, ADatabaseThatCannotBeOpenedGivesTheSameSingleMessage) {
    dir.Write("danci.mdb", "not a database at all");
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
