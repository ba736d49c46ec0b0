// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shape of a novel: which lines are headings, and the chapters they open. A heading is a line
// that holds (in the order tried)
//   - a heading note: ［＃「TITLE」は大見出し］, or ［＃大見出し］TITLE［＃大見出し終わり］, with
//   中 or 小
//     for levels 2 and 3, and 同行 or 窓 allowed before 大/中/小;
//   - "#", "##" or "###" and a blank at the start of the line (levels 1 to 3);
//   - apart from blanks and an indent, a chapter title: 第 + numerals (Arabic, full-width or kanji)
//     + 章, 部, 話 or 幕, followed by nothing, by a blank or a mark (：・―) and a title that is no
//     sentence (does not end in 。), or by a bracketed title that ends the line; or プロローグ,
//     エピローグ, 序章, 終章 or 間章 alone (level 2). A line that reads on after the number
//     (第三話、いかがでしたか。) is prose;
//   - the writer's own pattern, found anywhere in the line (level 2).
// The last three are read in the line as read, so that a chapter title in a ruby reading is none
// and a title with ruby is one; every title is given as read.
//
// A block heading spans lines: ［＃ここから大見出し］ (中, 小; 窓 allowed) on a line of notes, the
// title's lines, then ［＃ここで大見出し終わり］, at most BlockHeadingLines lines from the first
// note to the last. It is a heading at its first line, its title the title lines joined by a
// full-width blank; its lines are a heading's lines, none of them a heading of its own.

#include "TextStatistics.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class BoundedPattern;
class SettingsStore;

struct Heading
{
    std::int32_t level = 0; // 1 (a part) to 3
    std::string title;      // Shift-JIS, as read, without the blanks around it

    friend bool operator==(const Heading&, const Heading&) = default;
};

class HeadingRules
{
public:
    // The writer's own pattern: a regular expression (ECMAScript's, as Perl-compatible matching
    // reads it) over the line's characters, given in UTF-8; empty for none. Returns false when it
    // is not a valid expression: it is then kept (to be written back as the writer wrote it) but
    // matches nothing. It is tried only on lines of heading length, with limits on its work.
    bool SetExtraPattern(std::string_view utf8);
    const std::string& ExtraPattern() const noexcept { return FPattern; }
    // Whether the pattern ever gave up on a line at its limits (and took it for no heading).
    bool ExtraPatternGaveUp() const noexcept;

    // The heading that a line (without its line break) is, if it is one.
    std::optional<Heading> Match(std::string_view line) const;

private:
    bool MatchesExtra(std::string_view line) const;

    std::string FPattern;
    std::shared_ptr<const BoundedPattern> FExtra; // none when the pattern is empty or invalid
};

// Section "Chapters" of the settings file, key "Pattern". Reading returns false when the pattern
// held there is not valid, so that the caller can tell the writer it is ignored.
bool ReadHeadingSettings(HeadingRules& rules, SettingsStore& file);
void WriteHeadingSettings(const HeadingRules& rules, SettingsStore& file);

struct HeadingLine
{
    std::size_t line = 0; // from 0
    Heading heading;
};

// The lines of a text: every line break (LF, after a CR or not) ends a line, and the text after the
// last break, if any, is one more line (an empty text is one empty line). `starts` takes the first
// byte of each line.
std::vector<HeadingLine> FindHeadings(std::string_view text, const HeadingRules& rules,
                                      std::vector<std::size_t>* starts = nullptr);

// The most lines a block heading holds, its two notes included: whether a line is a heading or
// part of one depends on no line farther away than this.
inline constexpr std::size_t BlockHeadingLines = 10;

// Line `n` (Shift-JIS, without its break) of a text the caller holds, for n below its line count;
// the bytes need stay valid only until the next call.
using LineSource = std::function<std::string_view(std::size_t)>;

struct HeadingsOfLines
{
    std::vector<HeadingLine> headings; // those whose first line is among the lines asked for
    std::vector<bool> partOfHeading;   // for each line asked for: a heading or a line of one
};

// The headings among lines first..last (inclusive) of a text of `count` lines, reading the lines
// around them as far as a block heading may reach, so that a part of a text read again after an
// edit gives what reading the whole text would.
HeadingsOfLines FindHeadingsAmong(const LineSource& line, std::size_t count, std::size_t first,
                                  std::size_t last, const HeadingRules& rules);
// Whether line `n` is a heading or a line of one, as FindHeadingsAmong tells it; quick for a line
// that no block heading can hold. `openings`, when given, are the lines (in order) that may open a
// block heading (OpensBlockHeading) among those up to BlockHeadingLines before `n`, so that the
// lines before it need not be read.
bool IsHeadingLine(const LineSource& line, std::size_t count, std::size_t n,
                   const HeadingRules& rules, const std::vector<std::size_t>* openings = nullptr);
// Whether a line holds the opening note of a block heading, and nothing but notes.
bool OpensBlockHeading(std::string_view line);

struct ChapterSpan
{
    std::int32_t level = 0; // 0 for the text before the first heading
    std::size_t firstLine = 0;
    std::size_t endLine = 0; // one past its last line
    std::string title;       // Shift-JIS

    friend bool operator==(const ChapterSpan&, const ChapterSpan&) = default;
};

// The title of the chapter of the text before the first heading (Shift-JIS).
std::string OpeningTitle();

// The chapters of a text of `lineCount` lines with these headings (in line order): each runs from
// its heading to the line before the next heading of the same or a higher level, so that a part
// holds its chapters. With `opening`, the lines before the first heading are a chapter of level 0.
// The chapters come in text order; those that no other holds tile the text.
std::vector<ChapterSpan> ChaptersOf(const std::vector<HeadingLine>& headings, std::size_t lineCount,
                                    bool opening);

// For each chapter, the index of the chapter that holds it most closely, or NoParent for a chapter
// that no other holds.
inline constexpr std::size_t NoParent = static_cast<std::size_t>(-1);
std::vector<std::size_t> ParentsOf(const std::vector<ChapterSpan>& chapters);
