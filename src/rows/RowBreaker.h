// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a paragraph breaks into rows at a width, from the advance of each character: the rows of
// the editor view, which measures advances without shaping and lays out only the rows in view.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TPaper;

// The first unit of each row of a paragraph, in UTF-16 units: 0 first, then ascending.
using RowStarts = std::vector<std::int32_t>;

// Breaks at the line-break opportunities of Japanese text (a row may end between two kanji or
// kana, not inside a word of Latin letters, not after an opening bracket), never puts one of the
// line-start characters at the start of a row, and lets blanks hang past the width at a row's
// end. Where no opportunity fits, the row is cut between two characters, and the line-start
// characters there hang past the width with it; a row holds at least one character. Not for two
// threads at once: it keeps its break iterators between calls.
class RowBreaker
{
public:
    // `lineStart`: the characters that may not begin a row.
    explicit RowBreaker(std::u32string lineStart);
    // With the sheets' own line-start characters.
    static RowBreaker ForPaper(const TPaper& paper);
    ~RowBreaker();
    RowBreaker(RowBreaker&&) noexcept;
    RowBreaker& operator=(RowBreaker&&) noexcept;

    // Tabs reach the next multiple of `tabStop` from the start of their row (0: a tab advances by
    // its own entry of the advances).
    void SetTabStop(double tabStop) { FTabStop = tabStop; }
    double TabStop() const { return FTabStop; }

    // The rows of `text` when each unit advances by its entry of `advances` (as many as units; the
    // second unit of a surrogate pair and the marks that join a character advance 0 or their own)
    // and a row is `width` wide.
    RowStarts Break(std::u16string_view text, std::span<const double> advances, double width) const;

    // The rows after an edit that put `added` units in place of `removed` at `at`, from `before`,
    // the rows of the text before the edit: broken again from the row before the edit only as far
    // as the breaks change, then the old rows moved by the edit. Equals Break of the new text.
    RowStarts Rebreak(std::u16string_view text, std::span<const double> advances, double width,
                      const RowStarts& before, std::int32_t at, std::int32_t removed,
                      std::int32_t added) const;

private:
    void Attach(std::u16string_view text) const;
    std::int32_t RowEnd(std::u16string_view text, std::span<const double> advances, double width,
                        std::int32_t start) const;
    bool MayNotStart(std::u16string_view text, std::int32_t at) const;

    struct Iterators;          // the line and character break iterators over the paragraph in hand
    std::u32string FLineStart; // sorted
    double FTabStop = 0;
    std::unique_ptr<Iterators> FIterators;
};
