#include "mainwnd/stats_dlg.h"

#include "framework/file_dialog.h"
#include "res/resource.h"
#include "store/settings_schema.h"
#include "store/study_log.h"
#include "support/app_fixture.h"
#include "support/modal_driver.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>

namespace {

void Log(const _ConnectionPtr& db, const std::string& moment, const std::string& word, bool right) {
    study_log::Append(db, {moment, "liulan", "CET6", word, StudySource::NewWord, right});
}

// Three days of study, a missed word due tomorrow, an exam in ten days: the window shows
// each, offers the quota the exam asks for, and exports the history.
TEST(StatsWindowTest, ShowsASeededHistoryAndActsOnIt) {
    AppWorld world;
    std::string why;
    ASSERT_TRUE(study_log::Prepare(world.connection, why));
    for (int i = 0; i < 40; ++i) {
        Log(world.connection, "2026-12-06 09:00:00", "w" + std::to_string(i), true);
        Log(world.connection, "2026-12-07 21:00:00", "v" + std::to_string(i), true);
    }
    Log(world.connection, "2026-12-08 08:00:00", "six0", true);
    Log(world.connection, "2026-12-08 08:00:10", "six1", false);
    world.Sql("INSERT INTO readfuxi VALUES ('six1', '一', '2026-12-06')");
    world.Ini("CET6", "rmount", "10");
    world.Ini("system", "kaoshi", "2026-12-18");
    const std::string csv = world.dir.file("导出.csv");
    SetSavePrompt([&](CDialog*, const SaveFileQuestion& q) {
        EXPECT_EQ(q.extension, "csv");
        return std::optional<std::string>(csv);
    });

    ModalDriver driver;
    driver.OnDialog(IDD_STATS, [](QWidget* stats) {
        EXPECT_EQ(Text(stats, IDC_STATS_TODAY).toStdString(),
                  "今天　浏览：新词 2，复习 0，对 1，错 1；拼写：新词 0，复习 0，对 0，错 0\n"
                  "每日数量 40：浏览还差 38 个，拼写还差 40 个");
        EXPECT_TRUE(Text(stats, IDC_STATS_STREAK).startsWith("连续达标 2 天"));
        EXPECT_TRUE(Control(stats, IDC_STATS_HEAT)->accessibleName().contains("12月8日 2 词"));
        EXPECT_TRUE(Text(stats, IDC_STATS_BANK).startsWith("CET6：已学 10 / 30 词"));
        EXPECT_TRUE(Text(stats, IDC_STATS_FORECAST).contains("明天 1"));
        EXPECT_EQ(Text(stats, IDC_STATS_MISSED), "最常错的词：six1（1 次）");
        EXPECT_TRUE(Text(stats, IDC_STATS_EXAM).contains("还有 10 天"));
        EXPECT_TRUE(Text(stats, IDC_STATS_EXAM).contains("每天需要 2 个新词"));
        // The memory, made from the log: 82 graded words and the 8 below the bank position.
        EXPECT_TRUE(Text(stats, IDC_STATS_MEMORY).startsWith("你现在大约记得 "));
        EXPECT_TRUE(Text(stats, IDC_STATS_MEMORY).contains(" / 90 个单词"));
        EXPECT_TRUE(Text(stats, IDC_STATS_MEMORY).contains("考试那天（12月18日），预计记得"));
        EXPECT_TRUE(Text(stats, IDC_STATS_REVIEWS)
                        .startsWith(QString::fromStdString(
                            "未来30天的今日复习（每天最多 " +
                            std::to_string(ini::kReviewLimitDefault) + " 个）")));
        EXPECT_TRUE(Control(stats, IDC_STATS_REVIEWS)
                        ->accessibleName()
                        .startsWith("未来30天每天的今日复习：今天 "));
        ASSERT_TRUE(Control(stats, IDC_STATS_SETQUOTA)->isVisible());
        Click(stats, IDC_STATS_SETQUOTA);
    });
    driver.AcceptMessage();
    driver.OnDialog(IDD_STATS, [](QWidget* stats) {
        EXPECT_TRUE(Text(stats, IDC_STATS_TODAY).contains("每日数量 20"));
        Click(stats, IDC_STATS_EXPORT);
    });
    driver.AcceptMessage();
    driver.OnDialog(IDD_STATS, [](QWidget* stats) { Click(stats, IDOK); });
    CStatsDlg dlg(world.Context());
    dlg.DoModal();
    SetSavePrompt(nullptr);

    ASSERT_EQ(driver.messages().size(), 2u);
    EXPECT_EQ(driver.messages()[0],
              "每日数量已设为 20。按考试日期算出的是每天 2 个，但每日数量只能在20~50之间。");
    EXPECT_EQ(driver.messages()[1], "学习记录已导出到 " + csv);
    EXPECT_TRUE(dlg.QuotaChanged());
    EXPECT_EQ(world.IniInt("system", "danci"), 20);
    EXPECT_EQ(world.IniInt("usermessage", "danci"), 20);
    std::ifstream exported(csv, std::ios::binary);
    std::string line;
    int lines = 0;
    while (std::getline(exported, line))
        ++lines;
    EXPECT_EQ(lines, 83); // the header and every grading
}

// A study log of another shape cannot be read: the window says so once and still shows
// what does not come from the log.
TEST(StatsWindowTest, AnUnreadableLogBlanksOnlyItsOwnFigures) {
    AppWorld world;
    world.Sql("CREATE TABLE xuexijilu (shijian TEXT, danci TEXT, dui INTEGER)");
    world.Sql("INSERT INTO xuexijilu VALUES ('2026-12-08 08:00:00', 'six0', 0)");
    world.Sql("INSERT INTO readfuxi VALUES ('six1', '一', '2026-12-01')");
    world.Ini("system", "danci", "30");
    world.Ini("CET6", "rmount", "10");
    world.Ini("system", "kaoshi", "2026-12-18");

    ModalDriver driver;
    driver.AcceptMessage();
    driver.OnDialog(IDD_STATS, [](QWidget* stats) {
        EXPECT_TRUE(Text(stats, IDC_STATS_TODAY).contains("新词 0，复习 0"));
        EXPECT_TRUE(Text(stats, IDC_STATS_TODAY).contains("每日数量 30"));
        EXPECT_TRUE(Text(stats, IDC_STATS_BANK).startsWith("CET6：已学 10 / 30 词"));
        EXPECT_TRUE(Text(stats, IDC_STATS_FORECAST).contains("今天 1"));
        EXPECT_EQ(Text(stats, IDC_STATS_MISSED), "最常错的词：还没有答错过的词。");
        EXPECT_TRUE(Text(stats, IDC_STATS_EXAM).contains("还有 10 天"));
        // The memory is made from the log: it cannot be had either, and says so in its place.
        EXPECT_TRUE(Text(stats, IDC_STATS_MEMORY).startsWith("单词的记忆数据读不出来"));
        Click(stats, IDOK);
    });
    CStatsDlg dlg(world.Context());
    dlg.DoModal();

    ASSERT_EQ(driver.messages().size(), 1u);
    EXPECT_TRUE(driver.messages()[0].starts_with("学习记录读不出来：")) << driver.messages()[0];
}

} // namespace
