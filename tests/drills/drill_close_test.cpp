// What closing does the same way in both drills.
#include "drills/browse_dlg.h"
#include "drills/spell_dlg.h"

#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"

#include <gtest/gtest.h>

namespace {

struct BrowseDrill {
    using Dialog = CBrowseDlg;
    static constexpr unsigned kTemplate = IDD_BROWSE;
    static constexpr const char *kDay = "tr", *kCount = "trmount", *kTable = "readfuxi";
    static constexpr int kCountAfterMiss = 1; // the next word on screen is not graded
    static void MissFirstWord(QWidget* dlg) {
        Click(dlg, IDC_LEFT);  // 记得
        Click(dlg, IDC_RIGHT); // 错误
    }
    static QString Shown(QWidget* dlg) { return Text(dlg, IDC_EDIT); }
};

struct SpellDrill {
    using Dialog = CSpellDlg;
    static constexpr unsigned kTemplate = IDD_SPELL;
    static constexpr const char *kDay = "ts", *kCount = "tsmount", *kTable = "spellfuxi";
    static constexpr int kCountAfterMiss = 1;
    static void MissFirstWord(QWidget* dlg) {
        SetText(dlg, IDC_EDIT, "wrong");
        Click(dlg, IDC_ANSWER);
    }
    static QString Shown(QWidget* dlg) { return Text(dlg, IDC_INFO); }
};

template <class Drill> class DrillCloseTest : public ::testing::Test {
protected:
    DrillCloseTest() { world.Ini("system", "qiangzhi", "1"); }

    void ExpectDaySaved() const {
        EXPECT_EQ(world.IniText("CET6", Drill::kDay), "20261208");
        EXPECT_EQ(world.IniInt("CET6", Drill::kCount), Drill::kCountAfterMiss);
        EXPECT_EQ(world.Rows(Drill::kTable), std::vector<std::string>{"six0|2026-12-08"});
    }

    AppWorld world;
    ModalDriver driver;
};

using Drills = ::testing::Types<BrowseDrill, SpellDrill>;
TYPED_TEST_SUITE(DrillCloseTest, Drills);

TYPED_TEST(DrillCloseTest, EscSavesTheDayWithoutAskingEvenInForcedStudy) {
    this->driver.OnDialog(TypeParam::kTemplate, [](QWidget* dlg) {
        TypeParam::MissFirstWord(dlg);
        Key(dlg, Qt::Key_Escape);
    });
    typename TypeParam::Dialog dlg(this->world.Context());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(this->driver.messages().empty());
    this->ExpectDaySaved();
}

TYPED_TEST(DrillCloseTest, AnUnfinishedDayAsksAndCancelKeepsTheDrillWhereItWas) {
    QString shown;
    this->driver
        .OnDialog(TypeParam::kTemplate,
                  [&shown](QWidget* dlg) {
                      TypeParam::MissFirstWord(dlg);
                      shown = TypeParam::Shown(dlg);
                      dlg->close();
                  })
        .OnDialog(IDD_GIVEUP, [](QWidget* giveUp) { Click(giveUp, IDCANCEL); })
        .OnDialog(TypeParam::kTemplate, [this, &shown](QWidget* dlg) {
            EXPECT_EQ(TypeParam::Shown(dlg), shown);
            this->ExpectDaySaved(); // saved before asking
            Key(dlg, Qt::Key_Escape);
        });
    typename TypeParam::Dialog dlg(this->world.Context());
    dlg.DoModal();
    this->ExpectDaySaved();
}

TYPED_TEST(DrillCloseTest, GivingUpEndsTheDrillWithTheDaySaved) {
    this->driver
        .OnDialog(TypeParam::kTemplate,
                  [](QWidget* dlg) {
                      TypeParam::MissFirstWord(dlg);
                      dlg->close();
                  })
        .OnDialog(IDD_GIVEUP, [](QWidget* giveUp) {
            SetText(giveUp, IDC_EDIT, QStringLiteral("我放弃"));
            Click(giveUp, IDOK);
        });
    typename TypeParam::Dialog dlg(this->world.Context());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    this->ExpectDaySaved();
}

// The database takes no missed word: the learner is told once, asked at the close, and
// choosing to stay keeps the drill and its list; the next close stores them.
TYPED_TEST(DrillCloseTest, MissedWordsTheDatabaseWouldNotTakeAreNeverDroppedUnasked) {
    this->world.Ini("system", "qiangzhi", "0");
    this->driver
        .OnDialog(TypeParam::kTemplate,
                  [this](QWidget* dlg) {
                      this->world.Sql(
                          "CREATE TRIGGER full BEFORE INSERT ON " + std::string(TypeParam::kTable) +
                          " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
                      TypeParam::MissFirstWord(dlg);
                      Key(dlg, Qt::Key_Escape);
                      EXPECT_TRUE(dlg->isVisible()); // stayed
                      this->world.Sql("DROP TRIGGER full");
                      Key(dlg, Qt::Key_Escape);
                  })
        .AcceptMessage()
        .AnswerMessage(QStringLiteral("否"));
    typename TypeParam::Dialog dlg(this->world.Context());
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(this->driver.messages().size(), 2u);
    EXPECT_EQ(this->driver.messages()[0].rfind(kGradingNotKept, 0), 0u);
    EXPECT_EQ(this->driver.messages()[1].rfind("有 1 个错词没能存进数据库", 0), 0u);
    this->ExpectDaySaved();
}

} // namespace
