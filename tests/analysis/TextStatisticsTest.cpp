// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/TextStatistics.h"
#include "RandomText.h"
#include "Walks.h"
#include "analysis/ShiftJis.h"
#include "analysis/WordCharacterSet.h"
#include "analysis/WordCount.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

constexpr CountOptions AllOn{};
constexpr CountOptions AllOff{false, false, false, LineMode::Logical};

TEST(CountText, CountsCharactersLinesAndBytes)
{
    struct Row
    {
        const char* fact;
        std::string text;
        CountOptions options;
        std::int32_t weight;
        std::int32_t characters, lines, bytes;
    };
    const std::vector<Row> rows = {
        {"an empty text is all zeros", "", AllOn, 1, 0, 0, 0},
        {"abc is one line", "abc", AllOn, 1, 3, 1, 3},
        {"a closing line break adds no line", "abc\r\n", AllOn, 1, 3, 1, 5},
        {"two lines", "abc\r\ndef", AllOn, 1, 6, 2, 8},
        {"a lone line break is one line", "\r\n", AllOn, 1, 0, 1, 2},
        {"a CR alone is nothing", "a\rb", AllOn, 1, 2, 1, 3},
        {"blanks counted",
         "a b\tc\x81\x40"
         "d",
         AllOn, 1, 7, 1, 8},
        {"blanks not counted",
         "a b\tc\x81\x40"
         "d",
         AllOff, 1, 4, 1, 8},
        {"a kanji is one character of two bytes", "\x8C\xEA", AllOn, 1, 1, 1, 2},
        {"weight 2 doubles a kanji",
         "\x8C\xEA"
         "a",
         AllOn, 2, 3, 1, 3},
        {"weight 2 skips an uncounted double-byte blank", "\x81\x40\x8C\xEA", AllOff, 2, 2, 1, 4},
        {"control characters count", "\x01\x0C", AllOn, 1, 2, 1, 2},
        {"a trail byte 0x0A is no line break",
         "\x81\x0A"
         "a",
         AllOn, 1, 2, 1, 3},
        {"a trail byte 0x20 is no blank", "\x81\x20", AllOff, 1, 1, 1, 2},
        {"a lone lead byte at the end counts", "a\x82", AllOn, 1, 2, 1, 2},
        {"the text ends at a NUL", "ab\0cd\r\nef"s, AllOn, 1, 2, 1, 9},
        {"a NUL first gives no characters", "\0abc"s, AllOn, 1, 0, 0, 4},
        {"a NUL trail byte ends the text",
         "\x82\0"
         "abc"s,
         AllOn, 1, 1, 1, 5},
        {"a text ending in a double-byte character ending 0x0A still has its line", "a\r\n\x81\x0A",
         AllOn, 1, 2, 2, 5},
    };
    for (const Row& row : rows) {
        const TextStatistics s = CountText(row.text, row.options, row.weight);
        EXPECT_EQ(s.characters, row.characters) << row.fact;
        EXPECT_EQ(s.lines, row.lines) << row.fact;
        EXPECT_EQ(s.bytes, row.bytes) << row.fact;
        EXPECT_EQ(s.words, 0) << row.fact;
    }
}

TEST(CountText, HugeWeightIsCountedInSixtyFourBits)
{
    const std::string text(1000, '\x88'); // 500 double-byte characters
    const TextStatistics s = CountText(text, AllOn, INT32_MAX);
    EXPECT_EQ(s.characters, 500 * std::int64_t{INT32_MAX});
}

// Counted double-byte characters of the text before its first NUL, by the character iterator.
std::int64_t CountedDoubleBytes(std::string_view text, bool countDoubleByteSpace)
{
    text = text.substr(0, text.find('\0'));
    std::int64_t count = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
        if (c.doubleByte &&
            (countDoubleByteSpace || c.code != ShiftJis::DoubleByteSpace || c.length != 2))
            ++count;
    }
    return count;
}

TEST(CountText, DoubleWeightAddsOnePerCountedDoubleByteCharacter)
{
    std::mt19937 random(42);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomShiftJisText(random, 400, round % 2 == 0);
        for (const CountOptions& options : {AllOn, AllOff}) {
            const TextStatistics one = CountText(text, options, 1);
            const TextStatistics two = CountText(text, options, 2);
            ASSERT_EQ(two.characters - one.characters,
                      CountedDoubleBytes(text, options.countDoubleByteSpace))
                << "round " << round;
            ASSERT_EQ(one.lines, two.lines);
        }
    }
}

TEST(CountText, BlocksOfEveryLengthEndTheSame)
{
    // The block walk handles the last partial block apart; every length around a block edge must
    // give the same figures as the text built one character at a time.
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += (i % 3 == 0)   ? std::string("\x82\xA0")
                : (i % 7 == 0) ? std::string("\r\n")
                               : std::string("a");
        const TextStatistics s = CountText(text, AllOn, 1);
        std::int32_t lineFeeds = 0, characters = 0;
        for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
            lineFeeds += c.IsSingleByte('\n');
            characters += !c.IsSingleByte('\n') && !c.IsSingleByte('\r');
        }
        ASSERT_EQ(s.characters, characters) << text.size();
        ASSERT_EQ(s.lines, lineFeeds + (text.back() == '\n' ? 0 : 1)) << text.size();
    }
}

TEST(CountText, EachWalkCountsTheSame)
{
    // Texts of every length up to a few blocks, lone lead bytes, NULs and CRs among them, under
    // every switch, counted as written and as read.
    const std::vector<CountWalk> walks = CountWalks();
    if (walks.size() < 2)
        GTEST_SKIP() << "this processor takes one walk only";
    std::mt19937 random(64);
    for (int i = 0; i < 20000; ++i) {
        const std::string text = RandomShiftJisText(random, 300, /*allowNul=*/i % 8 == 0);
        CountOptions options;
        options.countSpace = i & 1;
        options.countTab = i & 2;
        options.countDoubleByteSpace = i & 4;
        options.excludeRuby = i & 8;
        TextStatistics counted[2];
        for (std::size_t w = 0; w < 2; ++w) {
            const TakenWalk taken(walks[w]);
            counted[w] = CountText(text, options, i & 16 ? 2 : 1);
        }
        ASSERT_EQ(counted[1].characters, counted[0].characters) << i;
        ASSERT_EQ(counted[1].lines, counted[0].lines) << i;
        ASSERT_EQ(counted[1].bytes, counted[0].bytes) << i;
    }
}

TEST(CountTextWithWords, OneWalkGivesTheSeparateCounts)
{
    // Every counting switch, word settings the block walk takes and one it does not (a listed
    // double-byte letter), over prose and over byte soup with NULs.
    const std::vector<std::string> lists = {"", "@'", "\x82\x60"};
    std::mt19937 random(808);
    for (int round = 0; round < 3000; ++round) {
        CountOptions options;
        options.countSpace = (round & 1) != 0;
        options.countTab = (round & 2) != 0;
        options.countDoubleByteSpace = (round & 4) != 0;
        options.excludeRuby = round % 7 == 0;
        WordCharacterSet words;
        words.countDigits = round % 3 != 0;
        words.SetCharacterList(lists[static_cast<std::size_t>(round) % lists.size()]);
        const std::string text = round % 2 == 0 ? RandomProse(random, 700)
                                                : RandomShiftJisText(random, 300, round % 4 == 1);
        const TextStatistics both = CountTextWithWords(text, options, words);
        const TextStatistics alone = CountText(text, options);
        ASSERT_EQ(both.characters, alone.characters) << "round " << round;
        ASSERT_EQ(both.lines, alone.lines) << "round " << round;
        ASSERT_EQ(both.bytes, alone.bytes) << "round " << round;
        ASSERT_EQ(both.words, CountWords(text, words)) << "round " << round;
    }
}

TEST(CountTextWithWords, LongTextsCountedInHalvesGiveTheSeparateCounts)
{
    // Texts long enough to be counted in two halves at once: prose whose lines end in words,
    // blanks, hyphens and joins, the same prose with a word joined across every line break near
    // the middle, so that the halves meet only where no join waits, and prose cut by a NUL.
    std::mt19937 random(2026);
    for (int round = 0; round < 7; ++round) {
        std::string text;
        while (text.size() < (std::size_t{5} << 20))
            text += RandomProse(random, 4000) + "\r\n";
        // A NUL ends the text: in the first half, in the second, or where the halves may meet.
        const std::size_t lineAfterMiddle = text.find("\r\n", text.size() / 2) + 2;
        const std::size_t nuls[] = {text.size() / 4, text.size() * 3 / 4, lineAfterMiddle};
        if (round >= 4)
            text[nuls[round - 4]] = '\0';
        if (round == 6)
            text[lineAfterMiddle - 3] = 'x'; // the halves meet right at the NUL
        if (round % 2 == 1) {
            const std::size_t middle = text.size() / 2;
            std::string joined;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (i > middle && i < middle + 200000 && text.compare(i, 2, "\r\n") == 0)
                    joined += "well-";
                joined += text[i];
            }
            text = std::move(joined);
        }
        CountOptions options;
        options.countSpace = round < 2;
        WordCharacterSet words;
        const TextStatistics both = CountTextWithWords(text, options, words);
        const TextStatistics alone = CountText(text, options);
        EXPECT_EQ(both.characters, alone.characters) << round;
        EXPECT_EQ(both.lines, alone.lines) << round;
        EXPECT_EQ(both.bytes, alone.bytes) << round;
        EXPECT_EQ(both.words, CountWordsByCharacter(text, words)) << round;
    }
}

} // namespace
