// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Each chapter of a novel with its figures: characters and lines under the counting switches, and
// the manuscript sheets of the formatted count of that chapter's text alone.

#include "TPaper.h"
#include "analysis/Chapters.h"
#include "analysis/TextStatistics.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ChapterFigures
{
    ChapterSpan span;
    std::int64_t characters = 0;
    std::int64_t lines = 0;
    std::int32_t sheets = 0;
};

// The sheets of one chapter's text (Shift-JIS), counted as read when ruby and notes are left out.
std::int32_t ChapterSheets(const TPaper& paper, std::string_view chapterText, bool excludeRuby);

// The chapters of a whole text (Shift-JIS; it ends at a NUL as every count does), in text order.
// The text before the first heading is a chapter when it holds a counted character.
std::vector<ChapterFigures> CountChapters(std::string_view text, const HeadingRules& rules,
                                          const CountOptions& options, const TPaper& paper);

// The table of the chapters: the header "レベル<TAB>行<TAB>文字数<TAB>枚数<TAB>見出し", then one
// line per chapter (its level, its heading's line from 1, characters, sheets and title), CR LF
// between lines (Shift-JIS).
std::string MakeChapterTable(const std::vector<ChapterFigures>& chapters);
