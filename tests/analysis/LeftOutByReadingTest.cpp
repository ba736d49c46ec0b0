// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The count of the text as read, made on the count's walk, against the count of the text that
// TextAsRead makes: manuscripts dense in rubies and notes, every mark at every place of a 64-byte
// block, every counting switch.
#include "analysis/BeforeNul.h"
#include "analysis/TextAsRead.h"
#include "analysis/TextStatistics.h"

#include "ShiftJisText.h"
#include "Walks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

CountOptions Switches(unsigned bits)
{
    CountOptions options;
    options.countSpace = bits & 1;
    options.countTab = bits & 2;
    options.countDoubleByteSpace = bits & 4;
    options.excludeRuby = true;
    return options;
}

// The count of the text as read made the long way, to compare with.
TextStatistics CountOfTextAsRead(std::string_view text, const CountOptions& options,
                                 std::int32_t weight)
{
    TextStatistics statistics = CountText(TextAsRead(BeforeNul(text)), WithRuby(options), weight);
    statistics.bytes = static_cast<std::int32_t>(text.size());
    return statistics;
}

// On each walk of the count.
void ExpectSameCount(const std::string& text, unsigned bits, const std::string& what)
{
    const CountOptions options = Switches(bits);
    const std::int32_t weight = bits & 8 ? 2 : 1;
    const TextStatistics expected = CountOfTextAsRead(text, options, weight);
    for (const CountWalk& walk : CountWalks()) {
        const TakenWalk taken(walk);
        const TextStatistics counted = CountText(text, options, weight);
        ASSERT_EQ(counted.characters, expected.characters) << what << ", " << walk.name;
        ASSERT_EQ(counted.lines, expected.lines) << what << ", " << walk.name;
        ASSERT_EQ(counted.bytes, expected.bytes) << what << ", " << walk.name;
    }
}

// What a writer's manuscript is made of, marks and all.
const std::vector<std::string>& Tokens()
{
    static const std::vector<std::string> tokens = {
        Sjis(u8"漢字"),
        Sjis(u8"かんじ"),
        Sjis(u8"カタカナ"),
        Sjis(u8"、"),
        Sjis(u8"。"),
        Sjis(u8"「"),
        Sjis(u8"」"),
        Sjis(u8"…"),
        Sjis(u8"（"),
        Sjis(u8"）"),
        Sjis(u8"｜"),
        "|",
        Sjis(u8"《"),
        Sjis(u8"》"),
        Sjis(u8"《《"),
        Sjis(u8"》》"),
        Sjis(u8"［"),
        Sjis(u8"］"),
        Sjis(u8"＃"),
        Sjis(u8"［＃"),
        Sjis(u8"※"),
        Sjis(u8"　"),
        " ",
        "\t",
        "Tokyo",
        "\r\n",
        "\n",
        "\r",
        "\x81",     // a lead byte that takes the next token's first byte
        "\x81\x0A", // a double-byte character whose second byte is a line feed's
        "\x88"};
    return tokens;
}

// Plain rubies as a writer types them.
const std::vector<std::string>& Rubies()
{
    static const std::vector<std::string> rubies = {
        Sjis(u8"｜漢字《かんじ》"), Sjis(u8"東京《とうきょう》"), Sjis(u8"|仮名《かな》"),
        Sjis(u8"《よみ》"), Sjis(u8"｜《》"), Sjis(u8"字《ｊｉ》"), Sjis(u8"字《ji》"),
        Sjis(u8"字《　じ 　》"), Sjis(u8"字《\tじ》"),
        // A reading and a base longer than a block.
        Sjis(u8"字《じじじじじじじじじじじじじじじじじじじじじじじじじじじじじじじじじじじじ》"),
        Sjis(u8"｜字字字字字字字字字字字字字字字字字字字字字字字字字字字字字字字字字字字字《じ》")};
    return rubies;
}

std::string RandomManuscript(std::mt19937& random)
{
    const auto& tokens = Tokens();
    const auto& rubies = Rubies();
    std::uniform_int_distribution<std::size_t> length(0, 90);
    std::uniform_int_distribution<std::size_t> token(0, tokens.size() - 1);
    std::uniform_int_distribution<std::size_t> ruby(0, rubies.size() - 1);
    std::uniform_int_distribution<int> kind(0, 9);
    // Most texts are rubies among words; some are a storm of loose marks.
    const int rubyShare = kind(random);
    std::string text;
    for (std::size_t n = length(random); n > 0; --n)
        text += kind(random) < rubyShare ? rubies[ruby(random)] : tokens[token(random)];
    return text;
}

TEST(LeftOutByReading, CountsAsTheTextAsReadCountsAtEveryPlaceOfABlock)
{
    std::mt19937 random(2025);
    std::uniform_int_distribution<std::size_t> shift(0, 63);
    for (int i = 0; i < 6000; ++i) {
        const std::string manuscript = RandomManuscript(random);
        // The same manuscript behind 0-63 bytes of text, so its marks fall on every byte of a
        // block, the last one (its second byte in the next block) included.
        const std::string before(shift(random), i % 2 ? 'a' : '\n');
        std::string text = before + manuscript;
        if (i % 40 == 0)
            text.insert(random() % (text.size() + 1), 1, '\0');
        ExpectSameCount(text, static_cast<unsigned>(i) & 15, std::to_string(i));
    }
}

TEST(LeftOutByReading, EveryPrefixCountsAsTheTextAsRead)
{
    // A text may end anywhere: inside a reading, after a ｜, between a CR and its LF, in the
    // middle of a character; the walk hands its last line over wherever that is.
    std::mt19937 random(77);
    for (int i = 0; i < 150; ++i) {
        const std::string manuscript = RandomManuscript(random);
        for (std::size_t end = 0; end <= manuscript.size(); ++end)
            ExpectSameCount(manuscript.substr(0, end), static_cast<unsigned>(i) & 15,
                            std::to_string(i) + " up to " + std::to_string(end));
    }
}

TEST(LeftOutByReading, ARubyCountsTheSameWhereverItStands)
{
    // One ruby slid byte by byte across a block boundary, after a bare CR (a line of nothing but
    // a ruby between a bare CR and an LF keeps its last mark), at the end of the text and with
    // its reading cut off by the end.
    const std::string rubies[] = {Sjis(u8"｜漢字《かんじ》"), Sjis(u8"|字《じ》"),
                                  Sjis(u8"字《ji》"), Sjis(u8"字《かん"), Sjis(u8"《じ》")};
    const std::string after[] = {"", "\r\n", "\n", "\r", Sjis(u8"です")};
    for (const std::string& ruby : rubies)
        for (const std::string& end : after)
            for (std::size_t before = 0; before < 140; ++before)
                for (const char fill : {'a', '\r', '\n'})
                    for (unsigned bits : {7u, 0u})
                        ExpectSameCount(std::string(before, fill) + ruby + end, bits,
                                        std::to_string(before) + fill);
}

} // namespace
