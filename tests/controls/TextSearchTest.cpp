// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Finding in the editor's text: the options on a table of texts, the width reading, the
// replacement groups, and plain matches counted as the phrase count counts them.

#include "controls/TextSearch.h"
#include "controls/QtShiftJis.h"

#include "analysis/PhraseCount.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

QString Q(const char8_t* utf8)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8));
}

std::vector<qsizetype> Starts(const QString& text, const QString& pattern,
                              const SearchOptions& options)
{
    const SearchedText searched(text);
    std::vector<qsizetype> starts;
    for (const TextMatch& match : TextSearch(pattern, options).FindAll(searched, 0, text.size()))
        starts.push_back(match.start);
    return starts;
}

SearchOptions Options(bool matchCase, bool expression, bool ignoreWidth)
{
    return {matchCase, expression, ignoreWidth, false};
}

TEST(TextSearch, EachOptionFindsWhatAWriterExpects)
{
    struct Row
    {
        const char* fact;
        const char8_t* text;
        const char8_t* pattern;
        SearchOptions options;
        std::vector<qsizetype> starts;
    };
    const SearchOptions plain = Options(false, false, false);
    const SearchOptions cased = Options(true, false, false);
    const SearchOptions expression = Options(false, true, false);
    const SearchOptions width = Options(false, false, true);
    const SearchOptions widthCased = Options(true, false, true);
    const SearchOptions widthExpression = Options(false, true, true);
    const std::vector<Row> rows = {
        {"case is ignored by default", u8"Abc abc ABC", u8"abc", plain, {0, 4, 8}},
        {"case is kept on request", u8"Abc abc ABC", u8"abc", cased, {4}},
        {"matches never overlap", u8"ああああ", u8"ああ", plain, {0, 2}},
        {"full-width letters differ by default", u8"Ａ A", u8"A", plain, {2}},
        {"full-width letters read as half-width", u8"Ａ A ａ", u8"A", width, {0, 2, 4}},
        {"with case kept, only the same case", u8"Ａ A ａ", u8"A", widthCased, {0, 2}},
        {"full-width digits read as digits", u8"１２3 123", u8"123", width, {0, 4}},
        {"half-width kana read as katakana", u8"アｱあ", u8"ア", width, {0, 1}},
        {"a voiced kana reads as kana and mark", u8"ガｶﾞカ", u8"ガ", width, {0, 1}},
        {"カ is not half of ガ, but is the ｶ before a mark", u8"ガｶﾞカ", u8"カ", width, {1, 3}},
        {"the full-width blank reads as a blank", u8"a　b a b", u8"a b", width, {0, 4}},
        {"an expression finds its matches", u8"第1章 第12章", u8"第\\d+章", expression, {0, 4}},
        {"^ stands for each line's start", u8"ab\nab", u8"^a", expression, {0, 3}},
        {"an empty match is passed over", u8"abc", u8"x*", expression, {}},
        {"an expression over full-width digits", u8"第１２章", u8"第\\d+章", widthExpression, {0}},
        {"a full-width symbol in an expression is itself",
         u8"1+1 1＋1 11",
         u8"1＋1",
         widthExpression,
         {0, 4}},
        {"an invalid expression finds nothing", u8"((", u8"(", expression, {}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Starts(Q(row.text), Q(row.pattern), row.options), row.starts) << row.fact;
}

TEST(TextSearch, NextAndPreviousAreTheNeighboursInTheListOfAll)
{
    const QString text = Q(u8"ガ-ｶﾞ-ガ-ｶﾞ-ガ");
    const SearchedText searched(text);
    for (const SearchOptions& options :
         {Options(false, false, true), Options(false, true, true), Options(false, false, false)}) {
        const TextSearch search(options.ignoreWidth ? Q(u8"ガ") : Q(u8"-"), options);
        const std::vector<TextMatch> all = search.FindAll(searched, 0, text.size());
        ASSERT_GE(all.size(), 3u);
        // From each match, the next and the previous are its neighbours in the list.
        for (std::size_t i = 0; i < all.size(); ++i) {
            const TextMatch next = search.FindNext(searched, all[i].End(), 0, text.size());
            EXPECT_EQ(next, i + 1 < all.size() ? all[i + 1] : TextMatch{});
            const TextMatch previous = search.FindPrevious(searched, all[i].start, 0, text.size());
            EXPECT_EQ(previous, i > 0 ? all[i - 1] : TextMatch{});
        }
        // A range keeps out the first and the last match.
        const std::vector<TextMatch> inner =
            search.FindAll(searched, all.front().start + 1, all.back().End() - 1);
        EXPECT_EQ(inner.size(), all.size() - 2);
    }
}

TEST(TextSearch, ReplacementTakesTheGroups)
{
    struct Row
    {
        const char8_t* text;
        const char8_t* pattern;
        bool ignoreWidth;
        const char8_t* replacement;
        const char8_t* result;
    };
    const std::vector<Row> rows = {
        {u8"第12章", u8"第(\\d+)章", false, u8"Chapter \\1", u8"Chapter 12"},
        {u8"第12章", u8"第(\\d+)章", false, u8"$1-${1}$$\\\\", u8"12-12$\\"},
        {u8"ab", u8"(a)(b)", false, u8"\\2\\n\\1\\t", u8"b\na\t"},
        {u8"第１２章", u8"第(\\d+)章", true, u8"[\\1]", u8"[１２]"},
        {u8"ab", u8"(a)", false, u8"\\5", u8""},
    };
    for (const Row& row : rows) {
        const SearchedText searched(Q(row.text));
        const TextSearch search(Q(row.pattern), Options(false, true, row.ignoreWidth));
        const TextMatch match = search.FindNext(searched, 0, 0, searched.Text().size());
        EXPECT_EQ(search.Replacement(searched, match, Q(row.replacement)), Q(row.result))
            << reinterpret_cast<const char*>(row.replacement);
    }
    const SearchedText searched(QStringLiteral("a"));
    EXPECT_EQ(TextSearch(QStringLiteral("a"), {}).Replacement(searched, {0, 1}, "\\1$1"), "\\1$1");
}

TEST(FoldedText, PositionsGoBothWays)
{
    const QString text = Q(u8"Aガ１ｶﾞパ");
    const FoldedText folded(text);
    EXPECT_EQ(folded.Text(), Q(u8"Aｶﾞ1ｶﾞﾊﾟ"));
    for (qsizetype original = 0; original <= text.size(); ++original) {
        const qsizetype at = folded.ToFolded(original);
        EXPECT_TRUE(folded.IsCharacterStart(at)) << original;
        EXPECT_EQ(folded.ToOriginal(at), original);
    }
    EXPECT_FALSE(folded.IsCharacterStart(2));
}

// Plain matches, case kept and width apart, are the phrase count's occurrences: the same texts
// from an alphabet where trail bytes look like ASCII letters (ア is 83 41, "A" is 41).
TEST(TextSearch, PlainMatchesAreThePhraseCount)
{
    const QString alphabet = Q(u8"aAア亜\n ｱ‐ー");
    std::mt19937 random(2301);
    std::uniform_int_distribution<qsizetype> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<int> textLength(0, 60);
    std::uniform_int_distribution<int> phraseLength(1, 3);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int i = textLength(random); i > 0; --i)
            text += alphabet[pick(random)];
        QString phrase;
        for (int i = phraseLength(random); i > 0; --i)
            phrase += alphabet[pick(random)];
        std::string textBytes;
        std::string phraseBytes;
        QtShiftJis::Encode(text, textBytes);
        QtShiftJis::Encode(phrase, phraseBytes);
        const std::int64_t expected =
            std::max<std::int64_t>(0, CountPhrase(textBytes, phraseBytes));
        const SearchedText searched(text);
        EXPECT_EQ(static_cast<std::int64_t>(TextSearch(phrase, Options(true, false, false))
                                                .FindAll(searched, 0, text.size())
                                                .size()),
                  expected)
            << text.toStdString() << " / " << phrase.toStdString();
    }
}

} // namespace
