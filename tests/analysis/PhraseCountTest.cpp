// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PhraseCount.h"
#include "RandomText.h"
#include "analysis/ShiftJis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TEST(CountPhrase, CountsOccurrencesLeftToRightOnCharacterBoundaries)
{
    struct Row
    {
        const char* fact;
        std::string text;
        std::string phrase;
        std::int32_t count;
    };
    const std::vector<Row> rows = {
        {"nothing to count in an empty text", "", "a", -1},
        {"nothing to count with an empty phrase", "abc", "", -1},
        {"occurrences never overlap", "aaaa", "aa", 2},
        {"the third a is left over", "aaa", "aa", 1},
        {"case matters", "aAa", "A", 1},
        {"a trail byte A is not found",
         "\x83"
         "A",
         "A", 0},
        {"an A after the double-byte character is found",
         "\x83"
         "AA",
         "A", 1},
        {"full-width a is not half-width a", "a", "\x82\x81", 0},
        {"a blank counts every blank", "a b  c", " ", 3},
        {"a phrase that does not occur", "abc", "xyz", 0},
        {"a double-byte phrase", "\x82\xB5\x82\xBD\x82\xB5\x82\xBD", "\x82\xB5\x82\xBD", 2},
        {"a match may not start on the trail of a kanji", "\x82\x82\x82\x82", "\x82\x82", 2},
        {"the trail-byte match is skipped and the next one found", "\x88\x82\x82\x82", "\x82\x82",
         1},
        {"the search stops at a NUL", "ab\0ab"s, "ab", 1},
        {"a phrase across a NUL is not found", "ab\0ab"s, "b\0a"s, 0},
        {"a text that begins with NUL has nothing", "\0ab"s, "ab", 0},
        {"a phrase ending in a lead byte restarts the walk after it",
         "\x82\x82"
         "A",
         "\x82", 2},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CountPhrase(row.text, row.phrase), row.count) << row.fact;
}

TEST(MakePhraseReport, WritesTheReportByteForByte)
{
    // "文字列 xyz は", an empty line, "0 個見つかりました。"
    EXPECT_EQ(MakePhraseReport(0, "xyz"),
              "\x95\xB6\x8E\x9A\x97\xF1 xyz \x82\xCD\r\n\r\n0 "
              "\x8C\xC2\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81"
              "B");
    EXPECT_NE(MakePhraseReport(12, "ab")->find("\r\n\r\n12 "), std::string::npos);
    EXPECT_EQ(MakePhraseReport(-1, "xyz"), std::nullopt);
}

} // namespace

namespace {

// The count as a writer would do it by hand: walk the remainder character by character and
// compare at each one.
std::int32_t CountByHand(std::string_view text, std::string_view phrase)
{
    text = text.substr(0, text.find('\0'));
    std::int32_t count = 0;
    std::size_t from = 0;
    bool again = true;
    while (again) {
        again = false;
        for (const ShiftJis::Character& c : ShiftJis::Characters(text, from)) {
            if (text.substr(c.position, phrase.size()) == phrase) {
                ++count;
                from = c.position + phrase.size();
                again = from < text.size();
                break;
            }
        }
    }
    return count;
}

TEST(CountPhrase, AgreesWithAWalkOverEveryCharacter)
{
    std::mt19937 random(5);
    for (int round = 0; round < 5000; ++round) {
        const std::string text = RandomShiftJisText(random, 200, round % 4 == 0);
        const std::string phrase = RandomShiftJisText(random, 3, false);
        if (text.empty() || phrase.empty())
            continue;
        ASSERT_EQ(CountPhrase(text, phrase), CountByHand(text, phrase)) << "round " << round;
    }
}

} // namespace
