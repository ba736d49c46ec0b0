// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChapterTable.h"
#include "analysis/BeforeNul.h"

#include "analysis/Cp932Codec.h"
#include "analysis/TextAsRead.h"

#include <cstring>

std::int32_t ChapterSheets(const TPaper& paper, std::string_view chapterText, bool excludeRuby)
{
    return paper.Count(ReadingText(chapterText, excludeRuby)).Sheets;
}

std::vector<ChapterFigures> CountChapters(std::string_view text, const HeadingRules& rules,
                                          const CountOptions& options, const TPaper& paper)
{
    text = BeforeNul(text);
    std::vector<std::size_t> starts;
    const std::vector<HeadingLine> headings = FindHeadings(text, rules, &starts);
    const auto byteOf = [&](std::size_t line) {
        return line < starts.size() ? starts[line] : text.size();
    };
    const std::size_t firstHeading = headings.empty() ? starts.size() : headings.front().line;
    const bool opening = CountText(text.substr(0, byteOf(firstHeading)), options).characters > 0;
    std::vector<ChapterFigures> chapters;
    for (ChapterSpan& span : ChaptersOf(headings, starts.size(), opening)) {
        const std::size_t begin = byteOf(span.firstLine);
        const std::string_view chapter = text.substr(begin, byteOf(span.endLine) - begin);
        const TextStatistics counted = CountText(chapter, options);
        const std::int32_t sheets = ChapterSheets(paper, chapter, options.excludeRuby);
        chapters.push_back({std::move(span), counted.characters, counted.lines, sheets});
    }
    return chapters;
}

std::string MakeChapterTable(const std::vector<ChapterFigures>& chapters)
{
    std::string table;
    Cp932::EncodeFromUtf8("レベル\t行\t文字数\t枚数\t見出し", table);
    for (const ChapterFigures& c : chapters) {
        table += "\r\n" + std::to_string(c.span.level) + '\t' +
                 std::to_string(c.span.firstLine + 1) + '\t' + std::to_string(c.characters) + '\t' +
                 std::to_string(c.sheets) + '\t' + c.span.title;
    }
    return table;
}
