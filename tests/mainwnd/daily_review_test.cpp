// 今日复习 from the main window: its count, the chooser, the review in either drill, and
// what the learner is told when there is nothing to review or the memory cannot be read.
#include "drills/core/memory/memory_keeper.h"
#include "mainwnd/wordmill_dlg.h"
#include "res/resource.h"
#include "store/word_schema.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/shell_doubles.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class DailyReviewWindowTest : public ::testing::Test {
protected:
    // `words` CET6 words of one skill, learned ten days ago and weakly held: all due.
    void Learned(int from, int words, const char* skill, double stability) {
        std::string why;
        ASSERT_TRUE(memory_table::Prepare(world.connection, why)) << why;
        const long long today = ReviewAge(world.now).Today();
        for (int i = from; i < from + words; ++i)
            memory_table::Write(world.connection,
                                {"six" + std::to_string(i), skill, stability, 5, today - 10});
    }

    AppWorld world;
    ModalDriver driver;
};

// 15 words to recognise and 7 to spell are due, 20 a day at most: the button shows the day's
// 20 and the 2 that wait; the browse drill is the default, the spelling drill the other
// choice (from the tray), and each review leaves the count lower and read.ini alone.
TEST_F(DailyReviewWindowTest, TheCountOpensTheReviewInTheChosenDrill) {
    FakeNotificationArea tray(true);
    Learned(0, 15, mdb::kBrowseDrill, 1);
    Learned(15, 7, mdb::kSpellDrill, 2); // held better: these wait past the limit
    world.Ini("system", "fuxi", "20");
    const std::string iniBefore = world.dir.Read("read.ini");
    QWidget* mainWindow = nullptr;
    CWordmillDlg* mainDialog = nullptr;
    QStringList items;
    RunMainWindow(
        world, driver,
        [&](QWidget* main, CWordmillDlg& dlg) {
            mainWindow = main;
            mainDialog = &dlg;
            EXPECT_EQ(Text(main, IDC_DAILY_REVIEW), QStringLiteral("今日复习 20\n积压 2"));
            Click(main, IDC_DAILY_REVIEW);
        },
        {[](QWidget* choice) {
             ASSERT_EQ(TemplateOf(choice), unsigned(IDD_REVIEW_CHOICE));
             EXPECT_TRUE(Text(choice, IDC_REVIEW_SUMMARY).contains("认词 15 个，拼写 5 个"));
             EXPECT_TRUE(Text(choice, IDC_REVIEW_SUMMARY).contains("积压 2 个"));
             EXPECT_EQ(QApplication::focusWidget(), Control(choice, IDC_REVIEW_BROWSE));
             Key(QApplication::focusWidget(), Qt::Key_Return);
         },
         [](QWidget* browse) {
             ASSERT_EQ(TemplateOf(browse), unsigned(IDD_BROWSE));
             EXPECT_EQ(Text(browse, IDC_INFO), QStringLiteral("今日复习：还剩 14 个"));
             for (int click = 0; click < 6; ++click)
                 Click(browse, IDC_LEFT); // 记得, 正确: three words reviewed
             Key(browse, Qt::Key_Escape);
         },
         [&](QWidget* main) {
             EXPECT_EQ(main, mainWindow);
             EXPECT_EQ(Text(main, IDC_DAILY_REVIEW), QStringLiteral("今日复习 17\n积压 2"));
             ChooseFromNextMenu(QStringLiteral("今日复习 17，积压 2(&V)..."), &items);
             mainDialog->OnTrayNotify(IDR_MAINFRAME, WM_RBUTTONUP);
         },
         [](QWidget* choice) {
             ASSERT_EQ(TemplateOf(choice), unsigned(IDD_REVIEW_CHOICE));
             Click(choice, IDC_REVIEW_SPELL);
         },
         [](QWidget* spell) {
             ASSERT_EQ(TemplateOf(spell), unsigned(IDD_SPELL));
             EXPECT_EQ(Text(spell, IDC_REMAIN), QStringLiteral("今日复习：还剩 4 个"));
             SetText(spell, IDC_EDIT, "six15");
             Click(spell, IDC_ANSWER); // judged right
             Click(spell, IDC_ANSWER); // on to the next
             Key(spell, Qt::Key_Escape);
         },
         [](QWidget* main) {
             // Graded today, the spelled word is not due again; the next waiting one takes
             // its place within the limit.
             EXPECT_EQ(Text(main, IDC_DAILY_REVIEW), QStringLiteral("今日复习 16\n积压 2"));
             Key(main, Qt::Key_Escape);
         }});
    EXPECT_TRUE(items.contains(QStringLiteral("今日复习 17，积压 2(&V)...")));
    EXPECT_EQ(world.dir.Read("read.ini"), iniBefore); // no quota counted, no bank position moved
    EXPECT_EQ(world.Count("readfuxi") + world.Count("spellfuxi"), 0);
}

TEST_F(DailyReviewWindowTest, NothingDueAndAnUnreadableMemoryAreToldPlainly) {
    CWordmillDlg dlg(world.Context());
    driver.OnDialog(IDD_WORDMILL_DIALOG, [](QWidget* main) {
        EXPECT_EQ(Text(main, IDC_DAILY_REVIEW), QStringLiteral("今日复习 0"));
        Click(main, IDC_DAILY_REVIEW);
    });
    driver.AcceptMessage().Then([this](QWidget* main) {
        world.Sql("DROP TABLE jiyi; CREATE TABLE jiyi (something TEXT)");
        Click(main, IDC_DAILY_REVIEW);
    });
    driver.AcceptMessage().Then([](QWidget* main) {
        EXPECT_EQ(Text(main, IDC_DAILY_REVIEW), QStringLiteral("今日复习"));
        Key(main, Qt::Key_Escape);
    });
    world.app.m_pMainWnd = &dlg;
    dlg.DoModal();
    world.app.m_pMainWnd = nullptr;
    ASSERT_EQ(driver.messages().size(), 2u);
    EXPECT_EQ(driver.messages()[0].rfind("今天没有需要复习的单词。", 0), 0u);
    EXPECT_EQ(driver.messages()[1].rfind("今日复习打不开：单词的记忆数据读不出来", 0), 0u)
        << driver.messages()[1];
}

} // namespace
