#include "mainwnd/core/settings_check.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsCheck, EachBoundIsAcceptedAtItsEndsAndRejectedOnePast) {
    constexpr UINT kNegative = 0u - 30u; // "-30" as the field reads it
    struct Case {
        SettingsEntries entries;
        bool valid;
    };
    const Case cases[] = {
        {{20, 4, 30}, true},
        {{50, 8, 90}, true},
        {{19, 6, 60}, false},
        {{51, 6, 60}, false},
        {{35, 3, 60}, false},
        {{35, 9, 60}, false},
        {{35, 6, 29}, false},
        {{35, 6, 91}, false},
        {{0, 6, 60}, false}, // an empty field
        {{35, 6, kNegative}, false},
        {{35, 6, 60, 20}, true},
        {{35, 6, 60, 500}, true},
        {{35, 6, 60, 19}, false},
        {{35, 6, 60, 501}, false},
        {{35, 6, 60, 0}, false},
        {{35, 6, 60, kNegative}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SettingsEntriesAreValid(c.entries), c.valid)
            << c.entries.daily << "/" << c.entries.perRead << "/" << c.entries.interval << "/"
            << c.entries.reviewLimit;
}

TEST(SettingsCheck, TheRangeLabelsNameTheCheckedRanges) {
    EXPECT_EQ(ini::RangeText("范围（", ini::kDailyRange, "）"), "范围（20~50）");
    EXPECT_EQ(ini::RangeText("范围", ini::kPerReadRange, ""), "范围4~8");
    EXPECT_EQ(ini::RangeText("范围（", ini::kReviewLimitRange, "）"), "范围（20~500）");
}

} // namespace
