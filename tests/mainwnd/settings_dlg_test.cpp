#include "mainwnd/settings_dlg.h"

#include "res/resource.h"
#include "store/profile.h"
#include "store/settings_schema.h"
#include "support/modal_driver.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { dir.Enter(); }

    struct Form {
        QString daily, interval, perRead;
        bool forced, protect;
        int bank;
    };
    static Form ReadForm(QWidget* dlg) {
        return {Text(dlg, IDC_EDIT),
                Text(dlg, IDC_INTERVAL),
                Text(dlg, IDC_PER_READ),
                qobject_cast<QCheckBox*>(Control(dlg, IDC_FORCED))->isChecked(),
                qobject_cast<QCheckBox*>(Control(dlg, IDC_PROTECT))->isChecked(),
                qobject_cast<QComboBox*>(Control(dlg, IDC_BANK))->currentIndex()};
    }
    static void Fill(QWidget* dlg, const QString& daily, const QString& perRead,
                     const QString& interval) {
        SetText(dlg, IDC_EDIT, daily);
        SetText(dlg, IDC_PER_READ, perRead);
        SetText(dlg, IDC_INTERVAL, interval);
    }
    // Opens the dialog, runs `act` on it and answers each message box; the messages seen.
    std::vector<std::string> Run(const std::function<void(QWidget*)>& act, int messageBoxes,
                                 const std::function<void(QWidget*)>& after = {}) {
        ModalDriver driver;
        driver.OnDialog(IDD_SETTINGS, act);
        for (int i = 0; i < messageBoxes; ++i)
            driver.AcceptMessage();
        if (after)
            driver.OnDialog(IDD_SETTINGS, after);
        CSettingsDlg dlg(dir.file("read.ini"));
        dlg.DoModal();
        return driver.messages();
    }

    TempDir dir;
};

TEST_F(SettingsTest, OpensWithTheDefaultsWhenNothingIsSaved) {
    Run(
        [](QWidget* dlg) {
            Form f = ReadForm(dlg);
            EXPECT_EQ(f.daily, "40"); // the quota the drills count against
            EXPECT_EQ(f.interval, "30");
            EXPECT_EQ(f.perRead, "4");
            EXPECT_FALSE(f.forced);
            EXPECT_FALSE(f.protect);
            EXPECT_EQ(f.bank, 1);
            EXPECT_EQ(Text(dlg, IDC_BANK), "CET6");
            auto* combo = qobject_cast<QComboBox*>(Control(dlg, IDC_BANK));
            EXPECT_EQ(combo->itemText(0), "CET4");
            Click(dlg, IDCANCEL);
        },
        0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("read.ini")));
}

// The bounds themselves are the check's own test; here, what the dialog does with it.
TEST_F(SettingsTest, AValidFormIsWrittenWholeAndABadOneLeavesTheFileAndStaysOpen) {
    struct Case {
        const char *daily, *perRead, *interval;
        bool accepted;
    };
    const Case cases[] = {{"50", "8", "90", true}, {"35", "abc", "60", false}};
    for (const Case& c : cases) {
        dir.Write("read.ini", "[CET6]\nrmount=3\n");
        bool stillOpen = false;
        auto messages = Run([&](QWidget* dlg) {
            Fill(dlg, c.daily, c.perRead, c.interval);
            Click(dlg, IDOK);
        }, 1, c.accepted ? std::function<void(QWidget*)>{} : [&](QWidget* dlg) {
            stillOpen = true;
            EXPECT_EQ(Text(dlg, IDC_INTERVAL), c.interval); // the entries stay
            Click(dlg, IDCANCEL);
        });
        const std::string context = std::string(c.daily) + "/" + c.perRead + "/" + c.interval;
        if (c.accepted) {
            EXPECT_EQ(messages, std::vector<std::string>{"更改成功"}) << context;
            EXPECT_EQ(dir.Read("read.ini"),
                      std::string("[CET6]\nrmount=3\n[system]\ndanci=") + c.daily +
                          "\nCET=1\nmei=" + c.perRead + "\ntime=" + c.interval +
                          "\nqiangzhi=0\nprotect=0\nautospeak=0\n"
                          "[usermessage]\nqiangzhi=0\ntime=" +
                          c.interval + "\nmei=" + c.perRead + "\ndanci=" + c.daily + "\n")
                << context;
        } else {
            EXPECT_EQ(messages, std::vector<std::string>{"更改失败输入数字有误"}) << context;
            EXPECT_TRUE(stillOpen) << context;
            EXPECT_EQ(dir.Read("read.ini"), "[CET6]\nrmount=3\n") << context; // byte for byte
        }
    }
}

// Kept in one form; a date that is not one is refused with the form it wants; cleared, it
// leaves the key empty.
TEST_F(SettingsTest, TheExamDateIsCheckedAndStoredAsYearMonthDay) {
    auto save = [this](const char* entry, bool refused) {
        return Run(
            [entry](QWidget* dlg) {
                SetText(dlg, IDC_EXAMDATE, QString::fromUtf8(entry));
                Click(dlg, IDOK);
            },
            1,
            refused ? [](QWidget* dlg) { Key(dlg, Qt::Key_Escape); }
                    : std::function<void(QWidget*)>());
    };
    EXPECT_EQ(save("2027-02-30", true),
              std::vector<std::string>{"更改失败：考试日期请写成 2027-06-12 这样，或者不填。"});
    EXPECT_FALSE(std::filesystem::exists(dir.file("read.ini")));
    save(" 2027-6-1 ", false);
    char stored[32];
    GetPrivateProfileStringA("system", "kaoshi", "?", stored, sizeof stored, dir.file("read.ini"));
    EXPECT_STREQ(stored, "2027-06-01");
    Run(
        [](QWidget* dlg) {
            EXPECT_EQ(Text(dlg, IDC_EXAMDATE), "2027-06-01");
            SetText(dlg, IDC_EXAMDATE, "");
            Click(dlg, IDOK);
        },
        1);
    GetPrivateProfileStringA("system", "kaoshi", "?", stored, sizeof stored, dir.file("read.ini"));
    EXPECT_STREQ(stored, "");
}

// 今日复习's limit: shown as in force, checked in its range, and written only once it is
// not the default or already stored.
TEST_F(SettingsTest, TheDailyReviewLimitIsCheckedAndKeptInItsKey) {
    auto save = [this](const char* entry, bool refused) {
        return Run(
            [entry](QWidget* dlg) {
                SetText(dlg, IDC_REVIEW_LIMIT, QString::fromUtf8(entry));
                Click(dlg, IDOK);
            },
            1,
            refused ? [](QWidget* dlg) { Key(dlg, Qt::Key_Escape); }
                    : std::function<void(QWidget*)>());
    };
    auto stored = [this] {
        char text[16];
        GetPrivateProfileStringA("system", "fuxi", "?", text, sizeof text, dir.file("read.ini"));
        return std::string(text);
    };
    Run(
        [](QWidget* dlg) {
            EXPECT_EQ(Text(dlg, IDC_REVIEW_LIMIT),
                      QString::number(ini::kReviewLimitDefault)); // the default
            Click(dlg, IDOK);
        },
        1);
    EXPECT_EQ(stored(), "?");
    for (const char* refused : {"19", "501", "", "很多"}) {
        EXPECT_EQ(save(refused, true), std::vector<std::string>{"更改失败输入数字有误"}) << refused;
        EXPECT_EQ(stored(), "?") << refused;
    }
    save("300", false);
    EXPECT_EQ(stored(), "300");
    const std::string byDefault = std::to_string(ini::kReviewLimitDefault);
    save(byDefault.c_str(), false); // once stored, kept even at the default
    EXPECT_EQ(stored(), byDefault);
}

TEST_F(SettingsTest, OddStoredValuesOpenCleanAndSaveCleanly) {
    dir.Write("read.ini", "[system]\nCET=2\nqiangzhi=5\nprotect=1\ndanci=33\n");
    auto messages = Run(
        [](QWidget* dlg) {
            Form f = ReadForm(dlg);
            EXPECT_EQ(f.bank, -1);
            EXPECT_FALSE(f.forced);
            EXPECT_TRUE(f.protect);
            EXPECT_EQ(f.daily, "33");
            qobject_cast<QCheckBox*>(Control(dlg, IDC_PROTECT))->setChecked(false);
            Click(dlg, IDOK);
        },
        1);
    EXPECT_EQ(messages, std::vector<std::string>{"更改成功"});
    EXPECT_EQ(dir.Read("read.ini"),
              "[system]\nCET=-1\nqiangzhi=0\nprotect=0\ndanci=33\nmei=4\ntime=30\nautospeak=0\n"
              "[usermessage]\nqiangzhi=0\ntime=30\nmei=4\ndanci=33\n");
    Run(
        [](QWidget* dlg) {
            EXPECT_FALSE(ReadForm(dlg).protect); // as saved
            Key(dlg, Qt::Key_Escape);
        },
        0);
}

TEST_F(SettingsTest, TheChosenBankIsWrittenByItsPlaceInTheSortedList) {
    for (const auto& [choice, written] : {std::pair{"CET4", 0}, std::pair{"CET6", 1}}) {
        Run(
            [choice](QWidget* dlg) {
                auto* combo = qobject_cast<QComboBox*>(Control(dlg, IDC_BANK));
                combo->setCurrentIndex(combo->findText(choice));
                qobject_cast<QCheckBox*>(Control(dlg, IDC_FORCED))->setChecked(true);
                Click(dlg, IDOK);
            },
            1);
        EXPECT_EQ(GetPrivateProfileIntA("system", "CET", 9, dir.file("read.ini")), UINT(written));
        EXPECT_EQ(GetPrivateProfileIntA("system", "qiangzhi", 9, dir.file("read.ini")), 1u);
    }
}

TEST_F(SettingsTest, CancelEscAndTheCloseBoxWriteNothing) {
    const std::vector<std::function<void(QWidget*)>> ways = {
        [](QWidget* dlg) { Click(dlg, IDCANCEL); },
        [](QWidget* dlg) { Key(Control(dlg, IDC_EDIT), Qt::Key_Escape); },
        [](QWidget* dlg) { dlg->close(); },
    };
    for (const auto& leave : ways) {
        Run(
            [&leave](QWidget* dlg) {
                Fill(dlg, "40", "5", "45");
                leave(dlg);
            },
            0);
        EXPECT_FALSE(std::filesystem::exists(dir.file("read.ini")));
    }
}

TEST_F(SettingsTest, TheDailyEditTakesDigitsOnly) {
    Run(
        [](QWidget* dlg) {
            SetText(dlg, IDC_EDIT, "");
            QTest::keyClicks(Control(dlg, IDC_EDIT), "a3-x5");
            EXPECT_EQ(Text(dlg, IDC_EDIT), "35");
            SetText(dlg, IDC_INTERVAL, "");
            QTest::keyClicks(Control(dlg, IDC_INTERVAL), "4a");
            EXPECT_EQ(Text(dlg, IDC_INTERVAL), "4a"); // the other edits take any text
            Click(dlg, IDCANCEL);
        },
        0);
}

// Settings read.ini would not take are never reported as changed.
TEST_F(SettingsTest, AFailedWriteSaysSoAndTheDialogStays) {
    std::filesystem::create_directory(dir.file("read.ini")); // nothing can replace it
    bool stillOpen = false;
    auto messages = Run([](QWidget* dlg) { Click(dlg, IDOK); }, 1,
                        [&](QWidget* dlg) {
                            stillOpen = true;
                            Click(dlg, IDCANCEL);
                        });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("更改失败：设置没能写进 read.ini", 0), 0u) << messages[0];
    EXPECT_TRUE(stillOpen);
}

} // namespace
