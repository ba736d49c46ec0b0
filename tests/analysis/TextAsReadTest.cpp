// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/TextAsRead.h"
#include "analysis/BeforeNul.h"
#include "analysis/ShiftJis.h"

#include "RandomText.h"
#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Notation
{
    const char8_t* written;
    const char8_t* read;
};

// Each row: what a writer types, and what the reader reads.
const Notation Notations[] = {
    {u8"｜漢字《かんじ》を読む", u8"漢字を読む"},
    {u8"|漢字《かんじ》を読む", u8"漢字を読む"},
    {u8"東京《とうきょう》へ行く", u8"東京へ行く"},
    {u8"彼は《《本当に》》来た", u8"彼は本当に来た"},
    {u8"《《》》", u8""},
    {u8"［＃改ページ］", u8""},
    {u8"本文［＃「本文」に傍点］の続き", u8"本文の続き"},
    {u8"※［＃「口＋亞」、第3水準1-15-8］の字", u8"※の字"},
    {u8"閉じない《ルビ", u8"閉じない《ルビ"},
    {u8"閉じない［＃注記", u8"閉じない［＃注記"},
    {u8"ただの［括弧］", u8"ただの［括弧］"},
    {u8"縦線｜だけ", u8"縦線｜だけ"},
    {u8"a|b", u8"a|b"},
    {u8"行を《また\r\nぐ》", u8"行を《また\r\nぐ》"},
    {u8"［＃行を\r\nまたぐ］", u8"［＃行を\r\nまたぐ］"},
    {u8"｜前\r\n後《ご》", u8"｜前\r\n後"},
    {u8"｜一｜二《に》", u8"｜一二"},
    {u8"《入れ《子》》", u8"》"},
    {u8"｜［＃注］字《じ》", u8"字"}, // a note in the base of a ruby
    {u8"|［＃《》］", u8"|"},         // the reading in the note is no reading of the |
    {u8"漢字《かんじ》と｜仮名《かな》\r\n［＃ここから２字下げ］\r\n", u8"漢字と仮名\r\n\r\n"},
    {u8"｜東京［＃「｜」は底本のまま］《とうきょう》", u8"東京"}, // notes go first
    {u8"｜東京［＃注《》］です", u8"｜東京です"},
    {u8"ルビのない文章です。\r\n", u8"ルビのない文章です。\r\n"},
    {u8"", u8""},
};

TEST(TextAsRead, LeavesOutRubyAndNotesAsTheReaderReads)
{
    for (const Notation& row : Notations) {
        EXPECT_EQ(TextAsRead(Sjis(row.written)), Sjis(row.read)) << Sjis(row.written).size();
    }
}

TEST(TextAsRead, AMarkByteInsideADoubleByteCharacterIsNoMark)
{
    // 0x817C is "－"; its trail byte is "|". 0x8181 "＝" before "s" puts 0x81 0x73 across two
    // characters, which is not 《.
    const std::string text = "\x81\x7C\x81\x81s\x81\x74";
    EXPECT_FALSE(MayHoldRubyOrNotes(text));
    EXPECT_EQ(TextAsRead(text), text);
}

// Random texts built from the mark characters, ordinary characters and line breaks.
std::string RandomMarkedText(std::mt19937& random)
{
    static const char* Pieces[] = {"\x81\x73", "\x81\x74", "\x81\x6D", "\x81\x6E", "\x81\x94",
                                   "\x81\x62", "|",        "\x81\xA6", "\x8A\xBF", "\x82\xA0",
                                   "a",        "\r\n",     "\n",       "\x81",     "\x88"};
    std::uniform_int_distribution<std::size_t> length(0, 60);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(Pieces) - 1);
    std::string text;
    for (std::size_t n = length(random); n > 0; --n)
        text += Pieces[piece(random)];
    return text;
}

std::size_t LineBreaks(std::string_view text)
{
    std::size_t breaks = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text))
        breaks += c.IsSingleByte(ShiftJis::CR) || c.IsSingleByte(ShiftJis::LF);
    return breaks;
}

TEST(TextAsRead, FilteringTwiceIsFilteringOnceAndLineBreaksStay)
{
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        const std::string text =
            i % 2 ? RandomMarkedText(random) : RandomShiftJisText(random, 80, /*allowNul=*/true);
        const std::string once = TextAsRead(text);
        ASSERT_EQ(TextAsRead(once), once) << i;
        ASSERT_LE(once.size(), text.size());
        ASSERT_EQ(LineBreaks(once), LineBreaks(text)) << i;
    }
}

TEST(TextAsRead, ATextWithoutMarkCharactersIsItself)
{
    std::mt19937 random(11);
    for (int i = 0; i < 20000; ++i) {
        std::string text = RandomShiftJisText(random, 80, /*allowNul=*/true);
        if (MayHoldRubyOrNotes(text))
            continue;
        ASSERT_EQ(TextAsRead(text), text) << i;
    }
}

TEST(TextAsRead, CountingThePiecesEqualsCountingTheTextAsRead)
{
    // Marked texts with blanks, TABs, double-byte blanks, lone CRs and NULs among the marks, some
    // long enough to cross 64-byte blocks, under every counting switch and both weights.
    static const char* Extra[] = {
        " ", "\t", "\x81\x40", "\r", "\n", "\x81\x73\x81\x73", "\x81\x74\x81\x74"};
    std::mt19937 random(25);
    std::uniform_int_distribution<std::size_t> extra(0, std::size(Extra) - 1);
    for (int i = 0; i < 20000; ++i) {
        std::string text = i % 3 ? RandomMarkedText(random) : RandomShiftJisText(random, 80, true);
        for (int part = i % 4; part > 0; --part)
            text += Extra[extra(random)] + RandomMarkedText(random);
        if (i % 50 == 0)
            text.insert(random() % (text.size() + 1), 1, '\0');
        CountOptions options;
        options.countSpace = i & 1;
        options.countTab = i & 2;
        options.countDoubleByteSpace = i & 4;
        options.excludeRuby = true;
        const std::int32_t weight = i & 8 ? 2 : 1;
        TextStatistics expected = CountText(TextAsRead(BeforeNul(text)), WithRuby(options), weight);
        expected.bytes = static_cast<std::int32_t>(text.size());
        const TextStatistics counted = CountText(text, options, weight);
        ASSERT_EQ(counted.characters, expected.characters) << i;
        ASSERT_EQ(counted.lines, expected.lines) << i;
        ASSERT_EQ(counted.bytes, expected.bytes) << i;
    }
}

} // namespace
