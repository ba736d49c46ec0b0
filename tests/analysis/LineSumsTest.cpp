// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The sums over runs of lines against the lines joined one by one, under random replacements that
// change the number of lines, with runs short enough that every edit meets their ends.

#include "analysis/LineFigures.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

LineFigures RandomLine(std::mt19937& random)
{
    auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    LineFigures line;
    line.characters = below(50);
    line.bytes = below(100);
    line.words.words = below(4);
    line.words.beginsWithWord = below(2) == 0;
    line.words.endsInJoin = below(3) == 0;
    line.emptyAsRead = below(4) == 0;
    line.hasNul = below(40) == 0;
    line.encodedBytes = below(200);
    return line;
}

TextSpan Joined(const std::vector<LineFigures>& lines, std::size_t first, std::size_t last)
{
    TextSpan span = TextSpan::OfLine(lines[first]);
    for (std::size_t i = first + 1; i < last; ++i)
        span = TextSpan::Join(span, TextSpan::OfLine(lines[i]));
    return span;
}

void ExpectSame(const TextSpan& kept, const TextSpan& joined)
{
    EXPECT_EQ(kept.characters, joined.characters);
    EXPECT_EQ(kept.bytes, joined.bytes);
    EXPECT_EQ(kept.words, joined.words);
    EXPECT_EQ(kept.breaks, joined.breaks);
    EXPECT_EQ(kept.beginsWithWord, joined.beginsWithWord);
    EXPECT_EQ(kept.endsInJoin, joined.endsInJoin);
    EXPECT_EQ(kept.lastLineEmpty, joined.lastLineEmpty);
    EXPECT_EQ(kept.hasNul, joined.hasNul);
    EXPECT_EQ(kept.encodedBytes, joined.encodedBytes);
}

TEST(LineSums, EveryRangeAddsUpAsTheLinesJoinedAfterAnyReplacement)
{
    std::mt19937 random(20261208);
    auto upTo = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n)(random);
    };
    for (const std::size_t runLength : {1u, 2u, 5u, 16u}) {
        LineSums sums(runLength);
        std::vector<LineFigures> lines;
        for (int step = 0; step < 400; ++step) {
            const std::size_t first = upTo(lines.size());
            // Mostly a line or two as typing changes them; now and then a paste or a cut.
            const std::size_t count = std::min(lines.size() - first, upTo(step % 10 == 0 ? 40 : 2));
            std::vector<LineFigures> with(upTo(step % 9 == 0 ? 60 : 3));
            for (LineFigures& line : with)
                line = RandomLine(random);
            if (step == 0)
                sums.Assign(with);
            else
                sums.Replace(first, count, with);
            if (step == 0)
                lines = with;
            else
                lines.insert(
                    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(first),
                                lines.begin() + static_cast<std::ptrdiff_t>(first + count)),
                    with.begin(), with.end());
            ASSERT_EQ(sums.Count(), lines.size());
            if (lines.empty())
                continue;
            const std::size_t a = upTo(lines.size() - 1);
            const std::size_t b = upTo(lines.size() - 1);
            ExpectSame(sums.Range(std::min(a, b), std::max(a, b) + 1),
                       Joined(lines, std::min(a, b), std::max(a, b) + 1));
            ExpectSame(sums.Range(0, lines.size()), Joined(lines, 0, lines.size()));
            ExpectSame(TextSpan::OfLine(sums.Line(a)), TextSpan::OfLine(lines[a]));
            if (HasFailure())
                FAIL() << "run length " << runLength << ", step " << step;
        }
    }
}

} // namespace
