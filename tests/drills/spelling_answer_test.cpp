#include "drills/core/spelling_answer.h"

#include <gtest/gtest.h>

TEST(SpellingAnswer, TrimsBlanksAndLowersAsciiOnBothSides) {
    EXPECT_TRUE(IsRightSpelling("APPLE", "apple"));
    EXPECT_TRUE(IsRightSpelling(" \tapple  ", "apple"));
    EXPECT_TRUE(IsRightSpelling("\xE3\x80\x80"
                                "apple"
                                "\xE3\x80\x80",
                                "apple")); // full-width spaces
    EXPECT_TRUE(IsRightSpelling("monday", "Monday"));
    EXPECT_TRUE(IsRightSpelling("x-ray", "X-ray"));
    EXPECT_FALSE(IsRightSpelling("", "apple"));
    EXPECT_FALSE(IsRightSpelling("app le", "apple"));
    EXPECT_FALSE(IsRightSpelling("apples", "apple"));
    // Only ASCII letters are lowered; other characters stay as they are.
    EXPECT_EQ(NormalizeSpelling("ÉCOLE 学习"), "École 学习");
}
