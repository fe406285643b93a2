#include "store/review_holds.h"

#include "support/drill_fixture.h"

#include <gtest/gtest.h>

namespace {

// A copy that waited for the file while another graded the row must not take it: the
// row is gone, or its id now holds another word.
TEST(ReviewHoldsTest, ARowIsTakenOnlyWhileItStillHoldsItsWord) {
    DrillWorld world;
    world.Sql("INSERT INTO readfuxi VALUES ('a', '甲', '2026-12-01'), ('b', '乙', '2026-12-01')");
    struct Case {
        const char* name;
        std::int64_t row;
        const char* word;
        bool taken;
    };
    const Case cases[] = {
        {"the row as read", 1, "a", true},
        {"another word at that id", 2, "a", false},
        {"a row deleted meanwhile", 3, "c", false},
    };
    for (const Case& c : cases) {
        ReviewHolds holds;
        EXPECT_EQ(holds.Take(world.connection, "readfuxi", c.row, c.word), c.taken) << c.name;
    }
    ReviewHolds first, second;
    ASSERT_TRUE(first.Take(world.connection, "readfuxi", 2, "b"));
    EXPECT_FALSE(second.Take(OpenConnection(world.db), "readfuxi", 2, "b"));
    world.Sql("DELETE FROM readfuxi WHERE danci = 'b'");
    EXPECT_FALSE(ReviewHolds().Take(world.connection, "readfuxi", 2, "b"));
}

} // namespace
