#include "drills/browse_dlg.h"

#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

class BrowseTest : public ::testing::Test {
protected:
    AppWorld world;
};

struct Screen {
    QString word, left, right, label;
};

Screen Read(QWidget* dlg) {
    return {Text(dlg, IDC_EDIT), Text(dlg, IDC_LEFT), Text(dlg, IDC_RIGHT), Text(dlg, IDC_INFO)};
}

TEST_F(BrowseTest, WordThenMeaningThenGradeWithTheirCaptions) {
    ModalDriver driver;
    driver.OnDialog(IDD_BROWSE, [](QWidget* dlg) {
        Screen s = Read(dlg);
        EXPECT_EQ(s.word, "six0");
        EXPECT_EQ(s.left, QStringLiteral("记的")); // the template's captions until the first grade
        EXPECT_EQ(s.right, QStringLiteral("忘记"));
        EXPECT_EQ(s.label, QStringLiteral("剩下的单词数为39"));
        EXPECT_EQ(QApplication::focusWidget(), Control(dlg, IDC_LEFT));
        EXPECT_EQ(Control(dlg, IDC_EDIT)->accessibleName(), QStringLiteral("单词"));

        Click(dlg, IDC_LEFT); // 记得
        s = Read(dlg);
        EXPECT_EQ(s.word, QStringLiteral("释义0"));
        EXPECT_EQ(s.left, QStringLiteral("正确"));
        EXPECT_EQ(s.right, QStringLiteral("错误"));
        Click(dlg, IDC_RIGHT); // 错误: to the review list
        s = Read(dlg);
        EXPECT_EQ(s.word, "six1");
        EXPECT_EQ(s.left, QStringLiteral("记得"));
        EXPECT_EQ(s.right, QStringLiteral("不记得"));

        Click(dlg, IDC_RIGHT); // 不记得
        EXPECT_EQ(Read(dlg).left, QStringLiteral("下一个"));
        EXPECT_EQ(Read(dlg).right, QStringLiteral("下一个"));
        Click(dlg, IDC_LEFT);              // 下一个: to the review list too
        EXPECT_EQ(Read(dlg).word, "six0"); // two entries: the front one at 40 comes back
        EXPECT_EQ(Read(dlg).label, QStringLiteral("剩下的单词数为38"));
        dlg->close();
    });
    CBrowseDlg dlg(world.Context());
    dlg.DoModal();
    EXPECT_EQ(world.Rows("readfuxi"),
              (std::vector<std::string>{"six0|2026-12-08", "six1|2026-12-08"}));
    EXPECT_EQ(world.IniInt("CET6", "rmount"), 2);
    EXPECT_EQ(world.IniInt("CET6", "trmount"), 2);
}

TEST_F(BrowseTest, OnceTheDaysQuotaIsMetClosingAsksNothing) {
    world.Ini("system", "qiangzhi", "1");
    world.app.m_nDailyQuota = 2;
    ModalDriver driver;
    driver.OnDialog(IDD_BROWSE, [](QWidget* dlg) {
        for (int click = 0; click < 4; ++click)
            Click(dlg, IDC_LEFT); // 记得, 正确: six0 and six1 done, six2 counted third
        EXPECT_EQ(Read(dlg).label, QStringLiteral("今天任务已完成"));
        dlg->close(); // no give-up question: the only dialog is this one
    });
    CBrowseDlg dlg(world.Context());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(world.IniInt("CET6", "trmount"), 2); // six2 was never graded
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(BrowseTest, EnterInTheWordFieldEndsLikeEscWithoutAsking) {
    world.Ini("system", "qiangzhi", "1");
    ModalDriver driver;
    driver.OnDialog(IDD_BROWSE, [](QWidget* dlg) {
        Click(dlg, IDC_LEFT);
        Click(dlg, IDC_RIGHT); // 错误
        Control(dlg, IDC_EDIT)->setFocus();
        Key(Control(dlg, IDC_EDIT), Qt::Key_Return);
    });
    CBrowseDlg dlg(world.Context());
    dlg.DoModal();
    EXPECT_TRUE(driver.messages().empty());
    EXPECT_EQ(world.IniInt("CET6", "trmount"), 1); // six1, on screen, never graded
    EXPECT_EQ(world.Rows("readfuxi"), std::vector<std::string>{"six0|2026-12-08"});
}

TEST_F(BrowseTest, WithoutADatabaseTheErrorsAreShownAndTheDrillStaysUsable) {
    world.connection->Close();
    ModalDriver driver;
    driver.AcceptMessage().AcceptMessage().OnDialog(IDD_BROWSE, [](QWidget* dlg) {
        EXPECT_EQ(Read(dlg).word, "");
        Click(dlg, IDC_LEFT);
        Click(dlg, IDC_LEFT);
        Click(dlg, IDC_RIGHT);
        dlg->close();
    });
    CBrowseDlg dlg(world.Context());
    dlg.DoModal();
    EXPECT_EQ(driver.messages(),
              (std::vector<std::string>{"没有连上数据库 danci.mdb。\nUnknown error 0x800A0E7D",
                                        "没有连上数据库 danci.mdb。\nUnknown error 0x800A0E7D"}));
    EXPECT_EQ(world.IniInt("CET6", "rmount"), 0);
}

} // namespace
