#include "drills/core/memory/fsrs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct ReferenceRow {
    double retention = 0;
    int maximumInterval = 0;
    std::vector<fsrs::Review> history;
    double stability = 0, difficulty = 0;
    long long queryDay = 0;
    double retrievability = 0;
    int interval = 0;
    std::string text; // the line, for failure messages
};

std::vector<fsrs::Review> ReadHistory(const std::string& text) {
    std::vector<fsrs::Review> history;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        const auto colon = item.find(':');
        history.push_back({std::stoll(item.substr(0, colon)),
                           static_cast<fsrs::Rating>(std::stoi(item.substr(colon + 1)))});
    }
    return history;
}

std::vector<ReferenceRow> ReadReference() {
    std::ifstream file(WORDMILL_SOURCE_DIR "/tests/data/fsrs_reference.tsv");
    std::vector<ReferenceRow> rows;
    std::string line;
    bool header = true;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (std::exchange(header, false))
            continue;
        std::istringstream in(line);
        ReferenceRow row;
        std::string history;
        in >> row.retention >> row.maximumInterval >> history >> row.stability >> row.difficulty >>
            row.queryDay >> row.retrievability >> row.interval;
        EXPECT_FALSE(in.fail()) << line;
        row.history = ReadHistory(history);
        row.text = line;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

// Random histories (same-day gradings, lapses, all four ratings, several retentions and
// interval caps) replayed here and by an independent implementation of the model.
TEST(Fsrs, AgreesWithTheReferenceTable) {
    const auto rows = ReadReference();
    ASSERT_GE(rows.size(), 300u);
    const fsrs::Model model;
    for (const ReferenceRow& row : rows) {
        const auto card = model.Replay(row.history);
        ASSERT_TRUE(card) << row.text;
        // The reference rounds each step to 8 decimals: stability is compared relatively.
        EXPECT_NEAR(card->state.stability, row.stability, 1e-6 * std::max(1.0, row.stability))
            << row.text;
        EXPECT_NEAR(card->state.difficulty, row.difficulty, 1e-6) << row.text;
        const auto elapsed = static_cast<double>(row.queryDay - card->lastReviewDay);
        EXPECT_NEAR(model.Retrievability(elapsed, card->state.stability), row.retrievability, 1e-6)
            << row.text;
        EXPECT_EQ(model.NextInterval(card->state.stability, row.retention, row.maximumInterval),
                  row.interval)
            << row.text;
    }
}
