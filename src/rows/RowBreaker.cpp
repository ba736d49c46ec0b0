// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RowBreaker.h"

#include "analysis/Cp932Codec.h"
#include "analysis/ShiftJis.h"
#include "paper/TPaper.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

struct RowBreaker::Iterators
{
    std::unique_ptr<icu::BreakIterator> lines;
    std::unique_ptr<icu::BreakIterator> characters;
};

namespace {

std::unique_ptr<icu::BreakIterator> Make(icu::BreakIterator* made, UErrorCode status)
{
    std::unique_ptr<icu::BreakIterator> iterator(made);
    if (U_FAILURE(status) || !iterator)
        throw std::runtime_error("the line-break rules of the system's ICU are missing");
    return iterator;
}

char32_t CodePointAt(std::u16string_view text, std::int32_t at)
{
    UChar32 c = 0;
    U16_GET(text.data(), 0, at, static_cast<std::int32_t>(text.size()), c);
    return static_cast<char32_t>(c);
}

// Blanks that may stand past the width at the end of a row rather than begin the next.
bool Hangs(char16_t unit)
{
    return unit == u' ' || unit == u'\t';
}

// How far the break rules look around a place: an edit further away leaves the opportunities
// and the line-start test at that place as they were. Runs of marks that join the character
// before them, of blanks, of the parts of a number and of regional indicators are read as one by
// the rules however long they are, so they do not count towards it.
constexpr std::int32_t Context = 8;

bool Chains(std::u16string_view text, std::int32_t at)
{
    if (U16_IS_TRAIL(text[at]) && at > 0 && U16_IS_LEAD(text[at - 1]))
        return true; // the second half of a pair: its first half stands for the character
    switch (u_getIntPropertyValue(CodePointAt(text, at), UCHAR_LINE_BREAK)) {
    case U_LB_COMBINING_MARK:
    case U_LB_ZWJ:
    case U_LB_SPACE:
    case U_LB_ZWSPACE:
    case U_LB_NUMERIC:
    case U_LB_BREAK_SYMBOLS:
    case U_LB_INFIX_NUMERIC:
    case U_LB_REGIONAL_INDICATOR:
        return true;
    default:
        return false;
    }
}

// The place `Context` units of text before `at` that do not chain; 0 at the most.
std::int32_t ContextBefore(std::u16string_view text, std::int32_t at)
{
    for (std::int32_t counted = 0; at > 0 && counted < Context; --at)
        counted += Chains(text, at - 1) ? 0 : 1;
    return at;
}

// The place `Context` units of text from `at` on that do not chain; the end at the most.
std::int32_t ContextAfter(std::u16string_view text, std::int32_t at)
{
    const auto size = static_cast<std::int32_t>(text.size());
    for (std::int32_t counted = 0; at < size && counted < Context; ++at)
        counted += Chains(text, at) ? 0 : 1;
    return at;
}

// The first unit of the row from `start` that does not fit in `width` (blanks after the last
// that fits hang with it); the text's size when the rest fits. A tab, with tab stops, reaches the
// next stop from where it stands in its row.
std::int32_t MeasureEnd(std::u16string_view text, std::span<const double> advances, double width,
                        double tabStop, std::int32_t start)
{
    const auto size = static_cast<std::int32_t>(text.size());
    double used = 0;
    std::int32_t end = start;
    for (; end < size; ++end) {
        const double advance = text[end] == u'\t' && tabStop > 0
                                   ? (std::floor(used / tabStop) + 1) * tabStop - used
                                   : advances[end];
        if (used + advance > width && end > start)
            break;
        used += advance;
    }
    while (end < size && Hangs(text[end]))
        ++end;
    return end;
}

} // namespace

RowBreaker::RowBreaker(std::u32string lineStart)
    : FLineStart(std::move(lineStart)), FIterators(std::make_unique<Iterators>())
{
    std::sort(FLineStart.begin(), FLineStart.end());
    UErrorCode status = U_ZERO_ERROR;
    FIterators->lines =
        Make(icu::BreakIterator::createLineInstance(icu::Locale::getJapan(), status), status);
    status = U_ZERO_ERROR;
    FIterators->characters =
        Make(icu::BreakIterator::createCharacterInstance(icu::Locale::getJapan(), status), status);
}

RowBreaker RowBreaker::ForPaper(const TPaper& paper)
{
    std::u32string lineStart;
    const std::u16string units = Cp932::Decode(paper.NoFirstChar);
    for (std::size_t i = 0; i < units.size();) {
        const char32_t c = CodePointAt(units, static_cast<std::int32_t>(i));
        lineStart.push_back(c);
        i += c > 0xFFFF ? 2 : 1;
    }
    return RowBreaker(std::move(lineStart));
}

RowBreaker::~RowBreaker() = default;
RowBreaker::RowBreaker(RowBreaker&&) noexcept = default;
RowBreaker& RowBreaker::operator=(RowBreaker&&) noexcept = default;

void RowBreaker::Attach(std::u16string_view text) const
{
    // The iterators read the paragraph where it lies; nothing is copied.
    UErrorCode status = U_ZERO_ERROR;
    UText* shallow = utext_openUChars(nullptr, reinterpret_cast<const UChar*>(text.data()),
                                      static_cast<int64_t>(text.size()), &status);
    FIterators->lines->setText(shallow, status);
    FIterators->characters->setText(shallow, status);
    utext_close(shallow);
    if (U_FAILURE(status))
        throw std::runtime_error("a paragraph could not be handed to the line-break rules");
}

bool RowBreaker::MayNotStart(std::u16string_view text, std::int32_t at) const
{
    return std::binary_search(FLineStart.begin(), FLineStart.end(), CodePointAt(text, at));
}

// Where the row from `start` ends: the last opportunity that fits and is not before a line-start
// character, else the last character boundary that fits, past the line-start characters there.
std::int32_t RowBreaker::RowEnd(std::u16string_view text, std::span<const double> advances,
                                double width, std::int32_t start) const
{
    const auto size = static_cast<std::int32_t>(text.size());
    const std::int32_t end = MeasureEnd(text, advances, width, FTabStop, start);
    if (end >= size)
        return size;
    // `end` is the first unit that does not fit; a row may end at an opportunity at or before it.
    icu::BreakIterator& lines = *FIterators->lines;
    for (std::int32_t at = lines.isBoundary(end) ? end : lines.preceding(end); at > start;
         at = lines.preceding(at))
        if (!MayNotStart(text, at))
            return at;
    // No opportunity fits: cut between the two characters where the width ends, and let
    // line-start characters there hang past the width with the row rather than begin the next.
    icu::BreakIterator& characters = *FIterators->characters;
    std::int32_t cut = characters.isBoundary(end) ? end : characters.preceding(end);
    if (cut <= start)
        cut = characters.following(start);
    while (cut < size && MayNotStart(text, cut))
        cut = characters.following(cut);
    return cut;
}

RowStarts RowBreaker::Break(std::u16string_view text, std::span<const double> advances,
                            double width) const
{
    Attach(text);
    RowStarts rows{0};
    const auto size = static_cast<std::int32_t>(text.size());
    for (std::int32_t start = 0;;) {
        const std::int32_t end = RowEnd(text, advances, width, start);
        if (end >= size)
            return rows;
        rows.push_back(end);
        start = end;
    }
}

RowStarts RowBreaker::Rebreak(std::u16string_view text, std::span<const double> advances,
                              double width, const RowStarts& before, std::int32_t at,
                              std::int32_t removed, std::int32_t added) const
{
    if (before.empty())
        return Break(text, advances, width);
    Attach(text);
    // The rows before the edit stand as they were while what decides their ends (the units they
    // measure and the rules' context) lies before it; the rows before an edit are where they
    // were in the new text too.
    auto from = std::upper_bound(before.begin(), before.end(), at) - before.begin() - 1;
    const std::int32_t safeBefore = ContextBefore(text, at);
    while (from > 0 && MeasureEnd(text, advances, width, FTabStop, before[from - 1]) >= safeBefore)
        --from;
    RowStarts rows(before.begin(), before.begin() + from + 1);
    const std::int32_t moved = added - removed;
    const std::int32_t safeAfter = ContextAfter(text, at + added);
    const auto size = static_cast<std::int32_t>(text.size());
    for (std::int32_t start = rows.back();;) {
        const std::int32_t end = RowEnd(text, advances, width, start);
        if (end >= size)
            return rows;
        rows.push_back(end);
        // Past the edit, a row that starts where an old row started (moved by the edit) breaks as
        // it did: the rest are the old rows, moved.
        if (end > safeAfter) {
            const auto same = std::lower_bound(before.begin(), before.end(), end - moved);
            if (same != before.end() && *same == end - moved) {
                for (auto row = same + 1; row != before.end(); ++row)
                    rows.push_back(*row + moved);
                return rows;
            }
        }
        start = end;
    }
}
