// The review layer measured on a simulated learner (bench/simulated_learner.h) who studies
// through the real store and drill core, day by day on the settable clock: 40 new words a
// day in the browse drill for 90 days up to an exam, and with the review layer on one
// 今日复习 session a day within the daily limit. Prints the share of the learned words
// remembered on the exam day, the study time per day and the reviews; the same without the
// review layer (only the drill's own missed words and their due rows after three days) as
// the baseline; and the exam-day recall at several daily limits.
//
// memory_sim [--seed N] [--daily]   (--daily: each day's minutes of the default run)
#include "bench/simulated_learner.h"
#include "drills/core/drill_core.h"
#include "drills/core/memory/daily_review.h"
#include "store/database_of.h"
#include "store/memory_table.h"
#include "store/profile.h"
#include "support/local_time.h"
#include "support/temp_dir.h"
#include "support/word_db.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kDays = 90;
constexpr int kNewPerDay = 40;
constexpr unsigned kDefaultSeed = 20270301;
constexpr int kFrontier[] = {60, 100, 150, 200};

// The study day's first moment: the learner sits down at eight.
std::time_t Morning(int day) {
    return LocalTime(2027, 3, 1 + day, 8);
}

// The settable clock, moved on by each answer's time.
class SimClock {
public:
    SimClock() {
        clock_source::Set([this] { return m_now; });
    }
    ~SimClock() { clock_source::Set(nullptr); }
    SimClock(const SimClock&) = delete;
    SimClock& operator=(const SimClock&) = delete;

    void StartDay(int day) { m_now = Morning(day); }
    void Advance(double seconds) { m_now += static_cast<std::time_t>(seconds + 0.5); }
    std::time_t Now() const { return m_now; }
    long long Today() const { return ReviewAge(m_now).Today(); }

private:
    std::time_t m_now = 0;
};

// Which plan a run follows: without the review layer, or with it at a daily limit (none:
// the one read.ini gives by default).
struct Plan {
    bool dailyReview = true;
    std::optional<int> limit;
};

struct Figures {
    double examRecall = 0;
    std::vector<double> minutes; // each day's study time
    long long learned = 0, reviews = 0, dailyReviews = 0, sameDay = 0;
    long long largestBacklog = 0;
    bool memoryAgrees = false; // the store kept exactly the learner's memory

    double MeanMinutes() const {
        return std::accumulate(minutes.begin(), minutes.end(), 0.0) /
               static_cast<double>(minutes.size());
    }
    // The highest mean of seven days in a row.
    double WorstWeekMinutes() const {
        double worst = 0;
        for (auto week = minutes.begin(); week + 7 <= minutes.end(); ++week)
            worst = std::max(worst, std::accumulate(week, week + 7, 0.0) / 7);
        return worst;
    }
};

// read.ini is written and flushed to the disk at every grading: in a folder in memory the
// run takes a few minutes less, and a simulation has nothing to lose.
void KeepFilesInMemory() {
    std::error_code error;
    if (!getenv("TMPDIR") && std::filesystem::is_directory("/dev/shm", error))
        setenv("TMPDIR", "/dev/shm", 1);
}

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what);
}

// One simulated learner's 90 days, in a temporary folder of its own.
class Simulation {
public:
    Simulation(const Plan& plan, unsigned seed) : m_plan(plan), m_learner(seed) {
        BuildWordDatabase(m_db, {{"CET4", NumberedWords(50, "four")},
                                 {"CET6", NumberedWords(kDays * kNewPerDay + 500, "six")}});
        m_connection = OpenConnection(m_db);
        // Each grading commits its transaction: without waiting for the disk the run is
        // several times faster.
        DatabaseOf(m_connection).Exec("PRAGMA synchronous=OFF");
        m_examDay = ReviewAge(Morning(kDays)).Today();
        WritePrivateProfileStringA(ini::kSystem, ini::kExamDate, DateOfDayNumber(m_examDay).c_str(),
                                   m_ini.c_str());
        if (plan.limit)
            settings::SetDailyReviewLimit(m_ini, *plan.limit);
    }

    Figures Run() {
        for (int day = 0; day < kDays; ++day) {
            m_clock.StartDay(day);
            m_today = m_clock.Today();
            m_seconds = 0;
            // The day's drill first, as the reminder asks; 今日复习 then passes over what
            // its due rows have just reviewed.
            StudyNewWords();
            if (m_plan.dailyReview)
                ReviewToday();
            m_figures.minutes.push_back(m_seconds / 60);
        }
        m_figures.examRecall = m_learner.MeanRecallOn(m_examDay);
        m_figures.memoryAgrees = memory_table::ReadAll(m_connection) == m_learner.Rows();
        return m_figures;
    }

private:
    static void Complain(const std::string& message) { Fail("the drill reported: " + message); }

    // The browse drill until the day's new words are done: its due rows and missed words
    // come as the drill picks them; the first new word past the quota ends the day's drill
    // ungraded, as a learner closes it at "今天任务已完成".
    void StudyNewWords() {
        DrillCore drill(kBrowseKeys, Complain);
        drill.SetUp({m_connection, kNewPerDay, m_ini});
        while (drill.PickNextWord()) {
            if (drill.CurrentSource() == StudySource::NewWord && drill.TodayCount() > kNewPerDay)
                break;
            Grade(drill, mdb::kBrowseDrill);
        }
        drill.SaveProgress();
    }

    // 今日复习 of each skill in its drill, as a practice list, until its list and the words
    // missed in it are done.
    void ReviewToday() {
        const DailyReview review = ReadDailyReview(m_connection, m_ini, m_clock.Now());
        m_figures.largestBacklog = std::max(m_figures.largestBacklog, review.backlog);
        Practise(kBrowseKeys, review.recognise);
        Practise(kSpellKeys, review.spell);
    }

    void Practise(const DrillKeys& keys, const std::vector<WordRecord>& words) {
        if (words.empty())
            return;
        auto list = std::make_shared<PracticeList>(
            PracticeList{"今日复习", words, StudySource::DailyReview, false});
        DrillCore drill(keys, Complain);
        drill.SetUp({m_connection, kNewPerDay, m_ini, clock_source::Now, list});
        const size_t most = words.size() * 20;
        for (size_t picks = 0; drill.PickNextWord(); ++picks) {
            if (picks > most)
                Fail("今日复习 never ends");
            Grade(drill, keys.logName);
        }
        drill.SaveProgress();
    }

    // The learner answers the word on screen; the time passes, and the drill takes the grade.
    void Grade(DrillCore& drill, const char* skill) {
        const Answer answer = m_learner.Respond(drill.Current().word, skill, m_today);
        m_clock.Advance(answer.seconds);
        m_seconds += answer.seconds;
        Count(answer, drill.CurrentSource());
        if (answer.right)
            drill.GradeRight();
        else // the browse drill's 不记得; a wrong spelling
            drill.GradeWrong(skill == std::string(mdb::kSpellDrill));
    }

    void Count(const Answer& answer, StudySource source) {
        switch (answer.kind) {
        case AnswerKind::FirstSight:
            ++m_figures.learned;
            break;
        case AnswerKind::Review:
            ++m_figures.reviews;
            m_figures.dailyReviews += source == StudySource::DailyReview;
            break;
        case AnswerKind::SameDay:
            ++m_figures.sameDay;
            break;
        }
    }

    Plan m_plan;
    SimulatedLearner m_learner;
    TempDir m_dir;
    std::string m_db = m_dir.file("danci.mdb");
    std::string m_ini = m_dir.file("read.ini");
    _ConnectionPtr m_connection;
    SimClock m_clock;
    long long m_examDay = 0, m_today = 0;
    double m_seconds = 0; // today's study time
    Figures m_figures;
};

Figures Simulate(const Plan& plan, unsigned seed) {
    return Simulation(plan, seed).Run();
}

void PrintHeader() {
    std::printf("%-30s %8s %8s %8s %8s %8s %8s %8s\n", "", "exam-day", "minutes", "worst",
                "reviews", "of them", "same-day", "largest");
    std::printf("%-30s %8s %8s %8s %8s %8s %8s %8s\n", "", "recall", "a day", "7 days", "", "daily",
                "repeats", "backlog");
}

void PrintRow(const std::string& name, const Figures& f) {
    std::printf("%-30s %8.3f %8.1f %8.1f %8lld %8lld %8lld %8lld%s\n", name.c_str(), f.examRecall,
                f.MeanMinutes(), f.WorstWeekMinutes(), f.reviews, f.dailyReviews, f.sameDay,
                f.largestBacklog, f.memoryAgrees ? "" : "  (kept memory differs!)");
}

void PrintLegend() {
    std::printf(
        "\nreviews: gradings of a word on a later day than its last; of them daily: in "
        "今日复习;\nsame-day repeats: a word asked again the day it was graded; every run's "
        "kept memory\nequals the learner's unless the row says otherwise.\n");
}

void PrintTargets(const Figures& f) {
    const bool recall = f.examRecall >= 0.95;
    const bool minutes = f.MeanMinutes() <= 45;
    const bool week = f.WorstWeekMinutes() <= 1.5 * f.MeanMinutes();
    std::printf("\ntargets at the default limit: exam-day recall >= 0.95 %s, mean <= 45 minutes "
                "%s, worst 7-day window <= 1.5 x mean (%.1f) %s\n",
                recall ? "met" : "MISSED", minutes ? "met" : "MISSED", 1.5 * f.MeanMinutes(),
                week ? "met" : "MISSED");
}

void PrintDays(const Figures& f) {
    std::printf("\nminutes on each day of the default run:\n");
    for (size_t day = 0; day < f.minutes.size(); ++day)
        std::printf("%5.1f%s", f.minutes[day], day % 10 == 9 ? "\n" : " ");
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    unsigned seed = kDefaultSeed;
    bool daily = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) {
            char* end = nullptr;
            seed = static_cast<unsigned>(std::strtoul(argv[++i], &end, 10));
            if (*end) {
                std::fprintf(stderr, "memory_sim: --seed takes a number\n");
                return 2;
            }
        } else if (!std::strcmp(argv[i], "--daily")) {
            daily = true;
        }
    }
    KeepFilesInMemory();
    const auto start = std::chrono::steady_clock::now();
    try {
        std::printf("%d new words a day for %d days, exam on day %d; seed %u\n\n", kNewPerDay,
                    kDays, kDays, seed);
        PrintHeader();
        PrintRow("review layer off (baseline)", Simulate({false, {}}, seed));
        const Figures standard = Simulate({true, {}}, seed);
        PrintRow("daily review, default limit " + std::to_string(ini::kReviewLimitDefault),
                 standard);
        for (int limit : kFrontier)
            PrintRow("daily review, limit " + std::to_string(limit),
                     limit == ini::kReviewLimitDefault ? standard : Simulate({true, limit}, seed));
        PrintLegend();
        PrintTargets(standard);
        if (daily)
            PrintDays(standard);
    } catch (const _com_error& e) {
        std::fprintf(stderr, "memory_sim: %s\n", LearnerText(e).c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "memory_sim: %s\n", e.what());
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("\n(%.0f s)\n", took.count());
    return 0;
}
