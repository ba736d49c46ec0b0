// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/TextLines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// The rule read byte by byte: no NUL, every LF after a CR and every CR before an LF.
bool OnlyCrLfByBytes(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool badLf = text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
        const bool badCr = text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
        if (text[i] == '\0' || badLf || badCr)
            return false;
    }
    return true;
}

TEST(TextLines, OnlyCrLfBreaksAgreesWithTheByteRule)
{
    // Mostly CR LF lines of every length, so that breaks fall at every place of a 64-byte block,
    // with now and then a lone CR, a lone LF, a NUL or a lead byte before the break.
    const std::string pieces[] = {
        "\r\n", "\r\n", "\r\n", "a", "\x82\xA0", "\r", "\n", std::string(1, '\0'), "\x81"};
    std::mt19937 random(1313);
    std::uniform_int_distribution<std::size_t> length(0, 200);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::bernoulli_distribution flaw(0.02);
    int valid = 0;
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (std::size_t n = length(random); n > 0; --n) {
            const std::size_t p = piece(random);
            text += p < 5 || flaw(random) ? pieces[p] : pieces[0];
        }
        ASSERT_EQ(TextLines::HasOnlyCrLfBreaks(text), OnlyCrLfByBytes(text)) << "round " << round;
        valid += OnlyCrLfByBytes(text);
    }
    EXPECT_GT(valid, 500); // both answers were tried often
}

} // namespace
