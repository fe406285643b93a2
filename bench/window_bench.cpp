// The windows' costs: 学习统计 over three years of history (100,000 log rows), reading and
// reckoning the figures and the window from its open to its first paint; 查词 over both
// bundled banks, one keystroke from the typed text to the filled list.
#include "bench/review_rows.h"
#include "drills/lookup_dlg.h"
#include "mainwnd/core/study_stats_text.h"
#include "mainwnd/stats_dlg.h"
#include "res/resource.h"
#include "res/templates.h"
#include "store/dates.h"
#include "store/study_log.h"
#include "support/word_db.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QTimer>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int kLogRows = 100'000;
constexpr int kDays = 3 * 365;

struct History {
    std::string db, ini;
    _ConnectionPtr connection;
    std::time_t now = 0;
};

// About 90 gradings a day over three years, a few words missed often.
const History& ThreeYears() {
    static const History history = [] {
        const fs::path dir = fs::temp_directory_path() / "wordmill-stats-bench";
        fs::create_directories(dir);
        History h{(dir / "danci.mdb").string(), (dir / "read.ini").string(), nullptr,
                  std::time(nullptr)};
        BuildWordDatabase(h.db, {{"CET6", NumberedWords(5500)}});
        AddReviewRows(h.db, 300, ReviewDate(h.now - 86400).c_str());
        _ConnectionPtr c = OpenConnection(h.db);
        std::string why;
        study_log::Prepare(c, why);
        const long long today = ReviewAge(h.now).Today();
        sqlite::Database& db = *c->Handle();
        sqlite::Transaction fill(db);
        for (int i = 0; i < kLogRows; ++i) {
            const long long day = today - kDays + 1 + static_cast<long long>(i) * kDays / kLogRows;
            study_log::Append(c,
                              {DateOfDayNumber(day) + " 20:00:00", i % 2 ? "liulan" : "pinxie",
                               "CET6", "word" + std::to_string(i % 5000),
                               i % 4 ? StudySource::NewWord : StudySource::ReviewList, i % 7 != 0});
        }
        fill.Commit();
        h.connection = c;
        return h;
    }();
    return history;
}

void BM_StatsFigures(benchmark::State& state) {
    const History& h = ThreeYears();
    for (auto _ : state) {
        StudyFacts facts = ReadStudyFacts(h.connection, h.ini, h.now);
        ReadStudyHistory(h.connection, facts);
        benchmark::DoNotOptimize(DescribeStudyStats(ComputeStudyStats(facts), facts));
    }
}
BENCHMARK(BM_StatsFigures)->Unit(benchmark::kMillisecond)->Iterations(20);

// DoModal to the first paint of the window, which then closes.
void BM_StatsWindowOpen(benchmark::State& state) {
    const History& h = ThreeYears();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        double took = 0;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* window = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->property("templateId").isValid())
                    window = w;
            if (!window)
                return;
            poll.stop();
            window->repaint();
            took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            window->close();
        });
        poll.start(0);
        CStatsDlg dlg({h.connection, 40, h.ini, [&h] { return h.now; }});
        dlg.DoModal();
        state.SetIterationTime(took);
    }
}
BENCHMARK(BM_StatsWindowOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Each keystroke of "abandon" and of "放弃", typed into the open window.
void BM_LookupKeystroke(benchmark::State& state, const char* text) {
    static const _ConnectionPtr bundled = OpenConnection(WORDMILL_BUNDLED_DATABASE);
    const QString typed = QString::fromUtf8(text);
    for (auto _ : state) {
        double took = 0;
        int hits = 0;
        QTimer::singleShot(0, [&] {
            QWidget* window = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->property("templateId").isValid())
                    window = w;
            auto* query =
                window->findChild<QWidget*>(QStringLiteral("ctrl_%1").arg(IDC_LOOKUP_QUERY));
            auto* list =
                window->findChild<QListWidget*>(QStringLiteral("ctrl_%1").arg(IDC_LOOKUP_HITS));
            for (const QChar c : typed) {
                QInputMethodEvent key;
                key.setCommitString(QString(c));
                const auto start = std::chrono::steady_clock::now();
                QApplication::sendEvent(query, &key);
                took = std::max(
                    took, std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                              .count());
            }
            hits = list->count();
            window->close();
        });
        CLookupDlg dlg({bundled, 40, "", [] { return std::time(nullptr); }});
        dlg.DoModal();
        state.SetIterationTime(took); // the slowest keystroke of the word
        state.counters["hits"] = hits;
    }
}
BENCHMARK_CAPTURE(BM_LookupKeystroke, english, "abandon")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_LookupKeystroke, chinese, "放弃")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    SetDialogTemplates(ProgramDialogTemplate);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
