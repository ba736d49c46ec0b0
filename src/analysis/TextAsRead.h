// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text as a reader reads it: the ruby readings and the editorial notes that writers mark in
// their manuscripts are not characters of the work.
//
//   ｜漢字《かんじ》  漢字《かんじ》   -> 漢字       (the reading and the ｜ or | that marks the
//   base) 《《強調》》                       -> 強調       (emphasis dots: only the marks go)
//   ［＃改ページ］                     -> (nothing)  (an editorial note)
//   ※［＃「口＋亞」、第3水準1-15-8］  -> ※         (the ※ stands for a character outside the set)
//
// A mark closes on its own line or is ordinary text: a 《 or ［＃ with no closing mark before the
// line break stays, as does a ｜ not followed by a reading on its line. Line breaks always stay.

#include "TextStatistics.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

// True when the text may hold a ruby or note mark (a 《, ｜, | or ［＃ character); false means
// TextAsRead would give the text back unchanged.
bool MayHoldRubyOrNotes(std::string_view text) noexcept;

// The Shift-JIS text with ruby readings, their base marks and editorial notes removed. Applying
// it to its own result changes nothing.
std::string TextAsRead(std::string_view text);

// Bytes [from, to) of a text that reading it leaves out.
struct TextPiece
{
    std::size_t from = 0;
    std::size_t to = 0;
};

// Hears the pieces one pass takes out, in the text that pass read (the text before it with the
// pieces of the pass before taken out).
using PiecesTakenOut = std::function<void(std::string_view, std::span<const TextPiece>)>;

// Takes out what TextAsRead takes out without making the text as read: a count subtracts the
// pieces. Passes that find nothing are not heard; when none is heard the text reads as written.
void TakeOutRubyAndNotes(std::string_view text, const PiecesTakenOut& takenOut);

// The same options with every character counted as written: for counting a text already read.
inline CountOptions WithRuby(CountOptions options) noexcept
{
    options.excludeRuby = false;
    return options;
}

// The text an analysis reads: the text itself, or, when ruby and notes are left out, the text as
// read, held here for as long as the analysis needs it.
class ReadingText
{
public:
    ReadingText(std::string_view text, bool excludeRuby) : FView(text)
    {
        if (excludeRuby && MayHoldRubyOrNotes(text)) {
            FAsRead = TextAsRead(text);
            FView = FAsRead;
        }
    }
    ReadingText(const ReadingText&) = delete;
    ReadingText& operator=(const ReadingText&) = delete;

    std::string_view View() const noexcept { return FView; }
    operator std::string_view() const noexcept { return FView; }

private:
    std::string FAsRead;
    std::string_view FView;
};
