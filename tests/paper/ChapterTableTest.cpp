// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paper/ChapterTable.h"
#include "ShiftJisText.h"
#include "analysis/RandomText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Lines a novel is made of: headings of every kind and level, ruby, notes, blanks, and now and
// then random bytes.
std::string RandomNovel(std::mt19937& random)
{
    static const std::vector<std::string> pool = {
        Sjis(u8"第一章　はじまり"),
        Sjis(u8"# 第一部"),
        Sjis(u8"## 出会い"),
        Sjis(u8"### 朝"),
        Sjis(u8"［＃「夜」は小見出し］"),
        Sjis(u8"［＃大見出し］春［＃大見出し終わり］"),
        Sjis(u8"プロローグ"),
        Sjis(u8"　吾輩は｜猫《ねこ》である。名前はまだ無い。"),
        Sjis(u8"どこで生れたか［＃「生れた」に傍点］とんと見当がつかぬ。"),
        Sjis(u8"\t Hello, world 　"),
        Sjis(u8"物語《第一章》"),
        "",
        Sjis(u8"　"),
    };
    std::uniform_int_distribution<std::size_t> lines(0, 40);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size());
    std::string text;
    for (std::size_t n = lines(random); n > 0; --n) {
        const std::size_t i = pick(random);
        text += i < pool.size() ? pool[i] : RandomShiftJisText(random, 12, false);
        text += "\r\n";
    }
    if (random() % 3 == 0)
        text += pool[pick(random) % pool.size()]; // no break after the last line
    return text;
}

TEST(ChapterTable, TopLevelChaptersAddUpToTheWholeText)
{
    std::mt19937 random(27);
    TPaper paper;
    for (int round = 0; round < 400; ++round) {
        const std::string text = RandomNovel(random);
        CountOptions options;
        options.countSpace = random() % 2;
        options.countTab = random() % 2;
        options.countDoubleByteSpace = random() % 2;
        options.excludeRuby = random() % 2;
        const auto chapters = CountChapters(text, HeadingRules(), options, paper);
        const auto parents = ParentsOf([&] {
            std::vector<ChapterSpan> spans;
            for (const ChapterFigures& c : chapters)
                spans.push_back(c.span);
            return spans;
        }());
        std::int64_t characters = 0;
        std::int64_t lines = 0;
        std::vector<std::int64_t> childCharacters(chapters.size(), 0);
        for (std::size_t i = 0; i < chapters.size(); ++i) {
            if (parents[i] == NoParent) {
                characters += chapters[i].characters;
                lines += chapters[i].lines;
            } else {
                childCharacters[parents[i]] += chapters[i].characters;
            }
        }
        const TextStatistics whole = CountText(text, options);
        SCOPED_TRACE(Cp932::DecodeToUtf8(text));
        EXPECT_EQ(characters, whole.characters);
        EXPECT_LE(lines, whole.lines + 1);
        for (std::size_t i = 0; i < chapters.size(); ++i)
            EXPECT_GE(chapters[i].characters, childCharacters[i]) << "a part holds its chapters";
    }
}

TEST(ChapterTable, EachChapterIsCountedAlone)
{
    TPaper paper;
    paper.Column = 10;
    paper.Line = 2;
    // Each chapter's sheets are those of its own text, from its heading line on.
    const std::string text =
        Sjis(u8"まえがき\r\n第一章\r\nあいうえおかきくけこさしすせそたちつてとなにぬねの\r\n");
    const auto chapters = CountChapters(text, HeadingRules(), CountOptions(), paper);
    ASSERT_EQ(chapters.size(), 2u);
    EXPECT_EQ(chapters[0].characters, 4);
    EXPECT_EQ(chapters[0].lines, 1);
    EXPECT_EQ(chapters[0].sheets, 1);
    EXPECT_EQ(chapters[1].characters, 28);
    EXPECT_EQ(chapters[1].lines, 2);
    EXPECT_EQ(chapters[1].sheets, paper.Count(text.substr(Sjis(u8"まえがき\r\n").size())).Sheets);
    EXPECT_EQ(Cp932::DecodeToUtf8(MakeChapterTable(chapters)),
              "レベル\t行\t文字数\t枚数\t見出し\r\n"
              "0\t1\t4\t" +
                  std::to_string(chapters[0].sheets) +
                  "\t（冒頭）\r\n"
                  "2\t2\t28\t" +
                  std::to_string(chapters[1].sheets) + "\t第一章");
}

TEST(ChapterTable, AnOpeningOfBlanksOnlyIsNoChapterWhenBlanksAreNotCounted)
{
    const std::string text = Sjis(u8"　 \r\n\r\n第一章\r\n本文\r\n");
    CountOptions options;
    EXPECT_EQ(CountChapters(text, HeadingRules(), options, TPaper()).size(), 2u);
    options.countSpace = false;
    options.countDoubleByteSpace = false;
    EXPECT_EQ(CountChapters(text, HeadingRules(), options, TPaper()).size(), 1u);
    EXPECT_TRUE(CountChapters("", HeadingRules(), options, TPaper()).empty());
}

} // namespace
