// Saying the word in both drills, through a stand-in for the desktop's speech.
#include "drills/browse_dlg.h"
#include "drills/spell_dlg.h"

#include "res/resource.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"
#include "support/speech_double.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Said = std::vector<std::string>;

void SayByKey(QWidget* dlg) {
    Key(dlg, Qt::Key_P, Qt::ControlModifier);
}

// The button and Ctrl+P say the word on screen and change nothing of the drill; with
// "自动发音" each new word is said as it appears.
TEST(Speech, TheBrowseDrillSaysTheWordOnScreen) {
    for (const bool automatic : {false, true}) {
        AppWorld world;
        world.Ini("system", "autospeak", automatic ? "1" : "0");
        FakeSpeech speech;
        ModalDriver driver;
        driver.OnDialog(IDD_BROWSE, [&](QWidget* dlg) {
            EXPECT_TRUE(Control(dlg, IDC_SPEAK)->isEnabled());
            EXPECT_TRUE(Control(dlg, IDC_SPEAK)->toolTip().contains("Ctrl+P"));
            const QString label = Text(dlg, IDC_INFO);
            Click(dlg, IDC_SPEAK);
            SayByKey(dlg);
            EXPECT_EQ(Text(dlg, IDC_EDIT), "six0");
            EXPECT_EQ(Text(dlg, IDC_INFO), label);
            Click(dlg, IDC_RIGHT); // 不记得: the meaning
            Click(dlg, IDC_LEFT);  // 下一个: six1
            Key(dlg, Qt::Key_Escape);
        });
        CBrowseDlg dlg(world.Context());
        dlg.DoModal();
        EXPECT_EQ(speech.said,
                  automatic ? (Said{"six0", "six0", "six0", "six1"}) : (Said{"six0", "six0"}));
        EXPECT_EQ(world.IniInt("CET6", "trmount"), 1); // six0; six1 is never graded
    }
}

// The spelling drill never says the word before the learner has answered.
TEST(Speech, TheSpellingDrillSaysTheWordOnlyOnceItIsShown) {
    AppWorld world;
    world.Ini("system", "autospeak", "1");
    FakeSpeech speech;
    ModalDriver driver;
    driver.OnDialog(IDD_SPELL, [&](QWidget* dlg) {
        EXPECT_FALSE(Control(dlg, IDC_SPEAK)->isEnabled());
        SayByKey(dlg);
        EXPECT_TRUE(speech.said.empty());
        Click(dlg, IDC_ANSWER); // judged (wrong): the word is shown, and said
        EXPECT_EQ(speech.said, Said{"six0"});
        EXPECT_TRUE(Control(dlg, IDC_SPEAK)->isEnabled());
        SayByKey(dlg);
        EXPECT_EQ(speech.said, (Said{"six0", "six0"}));
        Click(dlg, IDC_ANSWER); // the next word: not sayable again until answered
        EXPECT_FALSE(Control(dlg, IDC_SPEAK)->isEnabled());
        Key(dlg, Qt::Key_Escape);
    });
    CSpellDlg dlg(world.Context());
    dlg.DoModal();
}

// Where words cannot be said the button says why, without a box, and nothing else
// changes; a word that could not sound may be tried again.
TEST(Speech, WhereWordsCannotBeSaidTheButtonSaysWhy) {
    struct Case {
        SpeechState state;
        const char* tip;
        bool enabled;
    };
    const Case cases[] = {
        {SpeechState::NoEnglishVoice, "没有英语语音，无法发音", false},
        {SpeechState::StartTimedOut, "语音引擎几秒内没有启动，无法发音", false},
        {SpeechState::CannotSound, "刚才没能发出声音：没有可用的音频输出，或语音引擎出错", true},
    };
    for (const Case& c : cases) {
        AppWorld world;
        world.Ini("system", "autospeak", "1");
        FakeSpeech speech(c.state);
        ModalDriver driver;
        driver.OnDialog(IDD_BROWSE, [&](QWidget* dlg) {
            EXPECT_EQ(Control(dlg, IDC_SPEAK)->isEnabled(), c.enabled) << c.tip;
            EXPECT_EQ(Control(dlg, IDC_SPEAK)->toolTip(), QString::fromUtf8(c.tip));
            Key(dlg, Qt::Key_Escape);
        });
        CBrowseDlg dlg(world.Context());
        dlg.DoModal();
        EXPECT_EQ(speech.said.size(), c.enabled ? 1u : 0u) << c.tip; // the automatic saying
        EXPECT_TRUE(driver.messages().empty());
    }
}

// An engine still starting past the deadline is given up on, whatever it does later.
TEST(Speech, AStartPastItsDeadlineCountsAsTimedOut) {
    EXPECT_EQ(StartState(SpeechState::Starting, kSpeechStartDeadlineMs - 1), SpeechState::Starting);
    EXPECT_EQ(StartState(SpeechState::Starting, kSpeechStartDeadlineMs),
              SpeechState::StartTimedOut);
    EXPECT_EQ(StartState(SpeechState::Ready, 60000), SpeechState::Ready);
}

// The desktop's own engine, where this machine has one with an English voice. It starts
// in the background: the window never waits for it, even when the service is stuck.
TEST(Speech, TheDesktopEngineStartsWithoutHoldingTheWindow) {
    SpeechService* fake = SetSpeechService(nullptr);
    QElapsedTimer clock;
    clock.start();
    GetSpeechService().Prepare();
    EXPECT_LT(clock.elapsed(), 1000);
    while (GetSpeechService().State() == SpeechState::Starting && clock.elapsed() < 15000)
        QTest::qWait(50);
    const SpeechState state = GetSpeechService().State(); // still starting: a stuck service
    if (state == SpeechState::Ready)
        GetSpeechService().Say("apple"); // queued with the engine; no error, no box
    SetSpeechService(fake);
    if (state != SpeechState::Ready)
        GTEST_SKIP() << "no English voice here (" << static_cast<int>(state) << ")";
}

} // namespace
