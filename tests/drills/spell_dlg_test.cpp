#include "drills/spell_dlg.h"

#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SpellTest : public ::testing::Test {
protected:
    void UseWords(std::initializer_list<std::pair<const char*, const char*>> words) {
        world.Sql("DELETE FROM CET6");
        for (const auto& [word, meaning] : words)
            world.Sql(std::string("INSERT INTO CET6 VALUES ('") + word + "', '" + meaning + "')");
        world.connection = OpenConnection(world.db);
        world.app.m_pConnection = world.connection;
    }
    AppWorld world;
};

void Answer(QWidget* dlg, const QString& typed) {
    SetText(dlg, IDC_EDIT, typed);
    Click(dlg, IDC_ANSWER);
}

TEST_F(SpellTest, JudgesTheTypedWordAndShowsTheRightSpelling) {
    UseWords(
        {{"apple", "n. 苹果"}, {"Monday", "n. 星期一"}, {"pear", "n. 梨"}, {"plum", "n. 李子"}});
    ModalDriver driver;
    driver.OnDialog(IDD_SPELL, [](QWidget* dlg) {
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("n. 苹果"));
        EXPECT_EQ(Text(dlg, IDC_REMAIN), QStringLiteral("剩下的单词数为39"));
        EXPECT_EQ(Text(dlg, IDC_EDIT), "");
        EXPECT_FALSE(Control(dlg, IDC_EDIT)->accessibleName().isEmpty());
        Answer(dlg, QStringLiteral("  APPLE "));
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("正确"));
        EXPECT_EQ(Text(dlg, IDC_EDIT), "apple");
        EXPECT_EQ(Text(dlg, IDC_ANSWER), QStringLiteral("下一个"));
        Click(dlg, IDC_ANSWER);

        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("n. 星期一"));
        EXPECT_EQ(Text(dlg, IDC_ANSWER), QStringLiteral("确定"));
        EXPECT_EQ(QApplication::focusWidget(), Control(dlg, IDC_EDIT));
        Answer(dlg, "monday");
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("正确"));
        EXPECT_EQ(Text(dlg, IDC_EDIT), "Monday"); // shown as stored
        Click(dlg, IDC_ANSWER);

        Answer(dlg, ""); // pear: wrong, and kept for review
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("错误"));
        EXPECT_EQ(Text(dlg, IDC_EDIT), "pear");
        EXPECT_EQ(Text(dlg, IDC_ANSWER), QStringLiteral("确定"));
        Click(dlg, IDC_ANSWER); // moves on all the same
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("n. 李子"));
        dlg->close();
    });
    CSpellDlg dlg(world.Context());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(world.Rows("spellfuxi"), std::vector<std::string>{"pear|2026-12-08"});
    EXPECT_EQ(world.IniInt("CET6", "tsmount"), 3); // the plum on screen was never graded
    EXPECT_EQ(world.IniInt("CET6", "smount"), 3);
    EXPECT_EQ(world.IniText("CET6", "ts"), "20261208");
}

TEST_F(SpellTest, EnterJudgesThenMovesOnWhereverTheFocusIs) {
    ModalDriver driver;
    driver.OnDialog(IDD_SPELL, [](QWidget* dlg) {
        QWidget* edit = Control(dlg, IDC_EDIT);
        edit->setFocus();
        SetText(dlg, IDC_EDIT, "six0");
        Key(edit, Qt::Key_Return);
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("正确"));
        EXPECT_EQ(QApplication::focusWidget(), Control(dlg, IDC_ANSWER));
        Key(Control(dlg, IDC_ANSWER), Qt::Key_Return);
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("释义1"));
        EXPECT_EQ(QApplication::focusWidget(), edit);
        Key(edit, Qt::Key_Enter); // wrong
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("错误"));
        Key(edit, Qt::Key_Enter);
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("释义2"));
        dlg->close();
    });
    CSpellDlg dlg(world.Context());
    dlg.DoModal(); // Enter never ended it
    EXPECT_EQ(world.Rows("spellfuxi"), std::vector<std::string>{"six1|2026-12-08"});
}

// Ctrl+Z in the answer box: the grading comes back while the box holds nothing typed
// since; letters the learner typed are undone first, as in any text box.
TEST_F(SpellTest, CtrlZInTheAnswerBoxTakesTheGradeBackUnlessTheLearnerTyped) {
    ModalDriver driver;
    driver.OnDialog(IDD_SPELL, [](QWidget* dlg) {
        QWidget* edit = Control(dlg, IDC_EDIT);
        EXPECT_TRUE(Control(dlg, IDC_UNDO)->toolTip().contains("Ctrl+Z"));
        edit->setFocus();
        QTest::keyClicks(edit, "six0");
        Key(edit, Qt::Key_Return); // judged right; the box shows the word
        edit->setFocus();
        Key(edit, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("释义0")); // asked again
        EXPECT_EQ(Text(dlg, IDC_EDIT), "");

        Answer(dlg, "sixx"); // wrong, then on to six1
        Click(dlg, IDC_ANSWER);
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("释义1"));
        edit->setFocus();
        QTest::keyClicks(edit, "si");
        Key(edit, Qt::Key_Z, Qt::ControlModifier); // the typing goes, the grade stays
        EXPECT_NE(Text(dlg, IDC_EDIT), "si");
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("释义1"));
        SetText(dlg, IDC_EDIT, "");
        Key(edit, Qt::Key_Z, Qt::ControlModifier); // an emptied box: the grade goes
        EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("释义0"));
        Key(dlg, Qt::Key_Escape);
    });
    CSpellDlg dlg(world.Context());
    dlg.DoModal();
    EXPECT_TRUE(world.Rows("spellfuxi").empty()); // the miss went with its grade
}

TEST_F(SpellTest, ACancelledGiveUpLeavesTheDrillUsableAtTheRightPosition) {
    world.Ini("system", "qiangzhi", "1");
    world.Ini("CET6", "smount", "5");
    ModalDriver driver;
    driver
        .OnDialog(IDD_SPELL,
                  [](QWidget* dlg) {
                      EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("释义5"));
                      dlg->close();
                  })
        .OnDialog(IDD_GIVEUP,
                  [](QWidget* giveUp) { Key(Control(giveUp, IDC_EDIT), Qt::Key_Escape); })
        .OnDialog(IDD_SPELL, [&](QWidget* dlg) {
            EXPECT_EQ(world.IniInt("CET6", "smount"), 5); // six5 not graded yet
            Answer(dlg, "six5");
            Click(dlg, IDC_ANSWER);
            EXPECT_EQ(Text(dlg, IDC_INFO), QStringLiteral("释义6"));
            EXPECT_EQ(Text(dlg, IDC_REMAIN), QStringLiteral("剩下的单词数为38"));
            Key(dlg, Qt::Key_Escape);
        });
    CSpellDlg dlg(world.Context());
    dlg.DoModal();
    EXPECT_EQ(world.IniInt("CET6", "smount"), 6); // six6 was never graded
    EXPECT_TRUE(driver.messages().empty());
}

TEST_F(SpellTest, WithNothingToAskNothingIsJudgedOrStored) {
    UseWords({});
    ModalDriver driver;
    driver.OnDialog(IDD_SPELL, [](QWidget* dlg) {
        EXPECT_EQ(Text(dlg, IDC_INFO), "");
        Answer(dlg, "anything");
        EXPECT_EQ(Text(dlg, IDC_INFO), "");
        Click(dlg, IDC_ANSWER);
        dlg->close();
    });
    CSpellDlg dlg(world.Context());
    dlg.DoModal();
    EXPECT_TRUE(world.Rows("spellfuxi").empty());
}

TEST_F(SpellTest, AnAcceptedVariantIsRightAndADatabaseWithoutVariantsStillWorks) {
    world.Sql("INSERT INTO bianti VALUES ('six0', 'sixnought')");
    for (const bool withVariants : {true, false}) {
        if (!withVariants)
            world.Sql("DROP TABLE bianti"); // a database made before there were any
        ModalDriver driver;
        driver.OnDialog(IDD_SPELL, [withVariants](QWidget* dlg) {
            Answer(dlg, " SixNought ");
            EXPECT_EQ(Text(dlg, IDC_INFO),
                      withVariants ? QStringLiteral("正确") : QStringLiteral("错误"));
            Key(dlg, Qt::Key_Escape);
        });
        CSpellDlg dlg(world.Context());
        dlg.DoModal();
        EXPECT_TRUE(driver.messages().empty());
        world.Ini("CET6", "smount", "0");
    }
}

} // namespace
