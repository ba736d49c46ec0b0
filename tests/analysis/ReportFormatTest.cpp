// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ReportFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

TEST(ReportFormat, RatiosRoundHalfAwayFromZeroExactly)
{
    struct Row
    {
        std::int64_t numerator, denominator;
        int decimals;
        const char* expected;
    };
    const Row rows[] = {
        {100, 1, 2, "100.00"},
        {100, 3, 2, "33.33"},
        {200, 3, 2, "66.67"},
        {100, 7, 2, "14.29"},
        {100, 3000, 2, "0.03"},
        {0, 5, 2, "0.00"},
        {1, 8, 2, "0.13"},      // 0.125: a tie rounds away from zero, not to even
        {5, 1000, 2, "0.01"},   // 0.005 is a tie too, though 0.005 has no exact binary form
        {1, 800, 5, "0.00125"}, // one character on a 20 x 20 sheet
        {802, 800, 5, "1.00250"},
        {1, 3, 5, "0.33333"},
        {2, 3, 5, "0.66667"},
        {999994, 1000000, 5, "0.99999"},
        {9999995, 10000000, 5, "1.00000"}, // the carry reaches the integer part
        {7, 2, 0, "4"},
        {0, 0, 2, "0.00"},
        {-1, 8, 2, "-0.13"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FormatRatio(row.numerator, row.denominator, row.decimals), row.expected)
            << row.numerator << "/" << row.denominator;
}

TEST(ReportFormat, HugeOperandsDoNotOverflow)
{
    const std::int64_t big = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(FormatRatio(big, big, 5), "1.00000");
    EXPECT_EQ(FormatRatio(std::numeric_limits<std::int32_t>::max(), big, 5), "0.00000");
    EXPECT_EQ(FormatPercentage(std::numeric_limits<std::int32_t>::max(),
                               std::numeric_limits<std::int32_t>::max()),
              "100.00");
}

} // namespace
