// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The sums of rows per paragraph against plain sums, over random changes.

#include "rows/RowIndex.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

namespace {

TEST(RowIndex, AgreesWithPlainSumsThroughRandomChanges)
{
    std::mt19937 random(7);
    std::vector<std::int64_t> plain(50);
    for (std::int64_t& rows : plain)
        rows = 1 + random() % 5;
    RowIndex index(plain);
    for (int step = 0; step < 2000; ++step) {
        const int kind = random() % 10;
        if (kind < 7 && !plain.empty()) {
            const auto paragraph = static_cast<std::int32_t>(random() % plain.size());
            plain[paragraph] = random() % 9; // 0: a paragraph not measured yet
            index.Set(paragraph, plain[paragraph]);
        } else if (kind < 9 || plain.empty()) {
            const auto paragraph = static_cast<std::int32_t>(random() % (plain.size() + 1));
            const auto count = static_cast<std::int32_t>(1 + random() % 3);
            plain.insert(plain.begin() + paragraph, count, 2);
            index.Insert(paragraph, count, 2);
        } else {
            const auto paragraph = static_cast<std::int32_t>(random() % plain.size());
            const auto count = static_cast<std::int32_t>(
                std::min<std::size_t>(1 + random() % 3, plain.size() - paragraph));
            plain.erase(plain.begin() + paragraph, plain.begin() + paragraph + count);
            index.Remove(paragraph, count);
        }
        ASSERT_EQ(index.Total(), std::accumulate(plain.begin(), plain.end(), std::int64_t{0}));
        std::int64_t before = 0;
        for (std::size_t p = 0; p < plain.size(); ++p) {
            ASSERT_EQ(index.RowsBefore(static_cast<std::int32_t>(p)), before) << step;
            for (std::int64_t row = 0; row < plain[p]; ++row) {
                const RowPlace place = index.Find(before + row);
                ASSERT_EQ(place.paragraph, static_cast<std::int32_t>(p)) << step;
                ASSERT_EQ(place.row, row) << step;
            }
            before += plain[p];
        }
    }
}

} // namespace
