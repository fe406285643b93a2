// The example sentence and phrases where the learner looks: with the meaning while browsing,
// once judged in the spelling drill (and blanked as its hint), for the chosen word in 查词;
// the sentence said by its button and Ctrl+Shift+P only while it is shown whole.
#include "drills/browse_dlg.h"
#include "drills/lookup_dlg.h"
#include "drills/spell_dlg.h"

#include "res/resource.h"
#include "store/study_log.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/speech_double.h"

#include <QApplication>
#include <QInputMethodEvent>

#include <gtest/gtest.h>

namespace {

using Said = std::vector<std::string>;

const QString kSix0Shown =
    QStringLiteral("Six0s came, and the six0 stayed.\n六来了。\nsix0 up  起来\nby six0  靠六");
const QString kSix0Hint = QStringLiteral("_____ came, and the _____ stayed.\n六来了。");

// six0 has a sentence and two phrases; six1 has nothing.
class ExamplesTest : public ::testing::Test {
protected:
    ExamplesTest() {
        world.Sql("INSERT INTO liju VALUES ('six0', 'Six0s came, and the six0 stayed.', "
                  "'六来了。')");
        world.Sql("INSERT INTO cizu VALUES ('six0', 'six0 up', '起来'), "
                  "('six0', 'by six0', '靠六')");
    }
    static void SaySentenceByKey(QWidget* dlg) {
        Key(dlg, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    }
    // Typed into 查词 as the learner types, replacing what was there.
    static void Type(QWidget* dlg, const QString& text) {
        SetText(dlg, IDC_LOOKUP_QUERY, "");
        QWidget* query = Control(dlg, IDC_LOOKUP_QUERY);
        query->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(query, &commit);
    }

    AppWorld world;
    FakeSpeech speech;
    ModalDriver driver;
};

TEST_F(ExamplesTest, TheBrowseDrillShowsThemWithTheMeaning) {
    driver.OnDialog(IDD_BROWSE, [](QWidget* dlg) {
        EXPECT_EQ(Text(dlg, IDC_LIJU), "");
        EXPECT_FALSE(Control(dlg, IDC_SPEAK_LIJU)->isEnabled());
        SaySentenceByKey(dlg); // nothing yet: the sentence would hint at the meaning
        Click(dlg, IDC_LEFT);  // 记得: the meaning
        EXPECT_EQ(Text(dlg, IDC_LIJU), kSix0Shown);
        EXPECT_TRUE(Control(dlg, IDC_SPEAK_LIJU)->isEnabled());
        EXPECT_TRUE(Control(dlg, IDC_SPEAK_LIJU)->toolTip().contains("Ctrl+Shift+P"));
        Click(dlg, IDC_SPEAK_LIJU);
        SaySentenceByKey(dlg);
        Click(dlg, IDC_LEFT); // 正确: six1, which has none
        EXPECT_EQ(Text(dlg, IDC_LIJU), "");
        Click(dlg, IDC_LEFT);
        EXPECT_EQ(Text(dlg, IDC_LIJU), "");
        EXPECT_FALSE(Control(dlg, IDC_SPEAK_LIJU)->isEnabled());
        Key(dlg, Qt::Key_Escape);
    });
    CBrowseDlg(world.Context()).DoModal();
    EXPECT_TRUE(driver.finished());
    EXPECT_EQ(speech.said,
              (Said{"Six0s came, and the six0 stayed.", "Six0s came, and the six0 stayed."}));
}

// The hint blanks the word and its forms, keeps the phrases back, and goes into the log
// with the grading.
TEST_F(ExamplesTest, TheSpellingDrillHintsWithTheBlankedSentenceAndShowsAllOnceJudged) {
    driver.OnDialog(IDD_SPELL, [](QWidget* dlg) {
        EXPECT_EQ(Text(dlg, IDC_LIJU), "");
        EXPECT_TRUE(Control(dlg, IDC_TISHI)->isEnabled());
        Key(dlg, Qt::Key_T, Qt::ControlModifier);
        EXPECT_EQ(Text(dlg, IDC_LIJU), kSix0Hint);
        EXPECT_FALSE(Control(dlg, IDC_TISHI)->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), Control(dlg, IDC_EDIT));
        EXPECT_FALSE(Control(dlg, IDC_SPEAK_LIJU)->isEnabled());
        SaySentenceByKey(dlg); // would give the word away
        SetText(dlg, IDC_EDIT, "six0");
        Click(dlg, IDC_ANSWER);
        EXPECT_EQ(Text(dlg, IDC_LIJU), kSix0Shown);
        EXPECT_FALSE(Control(dlg, IDC_TISHI)->isEnabled());
        SaySentenceByKey(dlg);
        Click(dlg, IDC_ANSWER); // six1: nothing to hint with
        EXPECT_EQ(Text(dlg, IDC_LIJU), "");
        EXPECT_FALSE(Control(dlg, IDC_TISHI)->isEnabled());
        Click(dlg, IDC_TISHI);
        EXPECT_EQ(Text(dlg, IDC_LIJU), "");
        SetText(dlg, IDC_EDIT, "six");
        Click(dlg, IDC_ANSWER);
        Key(dlg, Qt::Key_Escape);
    });
    CSpellDlg(world.Context()).DoModal();
    EXPECT_TRUE(driver.finished());
    EXPECT_EQ(speech.said, Said{"Six0s came, and the six0 stayed."});
    std::vector<std::pair<std::string, bool>> logged;
    study_log::ForEach(world.connection, [&](const StudyEntry& entry) {
        logged.emplace_back(entry.word, entry.hinted);
    });
    EXPECT_EQ(logged, (std::vector<std::pair<std::string, bool>>{{"six0", true}, {"six1", false}}));
}

TEST_F(ExamplesTest, TheLookupShowsThemForTheChosenWord) {
    driver.OnDialog(IDD_LOOKUP, [](QWidget* dlg) {
        EXPECT_EQ(Text(dlg, IDC_LIJU), "");
        EXPECT_FALSE(Control(dlg, IDC_SPEAK_LIJU)->isEnabled());
        Type(dlg, "six0");
        EXPECT_EQ(Text(dlg, IDC_LOOKUP_WORD), "six0");
        EXPECT_EQ(Text(dlg, IDC_LIJU), kSix0Shown);
        Click(dlg, IDC_SPEAK_LIJU);
        Type(dlg, "six1");
        EXPECT_EQ(Text(dlg, IDC_LOOKUP_WORD), "six1");
        EXPECT_EQ(Text(dlg, IDC_LIJU), "");
        EXPECT_FALSE(Control(dlg, IDC_SPEAK_LIJU)->isEnabled());
        Key(dlg, Qt::Key_Escape);
    });
    CLookupDlg(world.Context()).DoModal();
    EXPECT_TRUE(driver.finished());
    EXPECT_EQ(speech.said, Said{"Six0s came, and the six0 stayed."});
}

} // namespace
