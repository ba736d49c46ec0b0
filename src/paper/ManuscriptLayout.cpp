// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManuscriptLayout.h"

#include "Arrangement.h"
#include "analysis/ShiftJis.h"

#include <algorithm>
#include <span>

ManuscriptLayout::ManuscriptLayout(const TPaper& paper, std::string_view text,
                                   std::string_view heading)
    : FColumn(std::max(paper.Column, std::int32_t{1})),
      FLinesPerSheet(std::max(paper.Line, std::int32_t{1})),
      FText(ArrangeManuscript(paper, text).Text)
{
    if (!heading.empty())
        FText = std::string(heading) + "\r\n" + FText;
    // Lines end at the CR LF pairs a character walk finds, exactly as the count finds them.
    FLineStarts.push_back(0);
    for (std::size_t p = 0; p < FText.size();) {
        const ShiftJis::Character ch = ShiftJis::CharacterAt(FText, p);
        p += ch.length;
        if (ch.IsSingleByte(ShiftJis::CR) && p < FText.size() && FText[p] == '\n')
            FLineStarts.push_back(++p);
    }
    FLineStarts.push_back(FText.size() + 2); // as if the text ended in a break
    FInfo = paper.CountLines(static_cast<std::int64_t>(FLineStarts.size() - 1));
}

std::vector<CellPlacement> ManuscriptLayout::Sheet(std::int32_t sheet) const
{
    std::vector<CellPlacement> out;
    if (sheet < 0 || sheet >= SheetCount())
        return out;
    const std::size_t lines = FLineStarts.size() - 1;
    const std::size_t first = static_cast<std::size_t>(sheet) * FLinesPerSheet;
    const std::size_t last = std::min(lines, first + static_cast<std::size_t>(FLinesPerSheet));
    for (std::size_t line = first; line < last; ++line)
        PlaceLine(static_cast<std::int32_t>(line - first), FLineStarts[line],
                  FLineStarts[line + 1] - 2, out);
    return out;
}

namespace {

// A line whose cells reach past its last one: each lone half-width cell gives up the same share
// of the excess. The arrangement keeps every line within 2 * Column half-width units, so a lone
// cell never has to become narrower than half a cell.
void NarrowLoneCells(std::span<CellPlacement> line, double excess, std::int64_t lone)
{
    const double narrowed = 1 - excess / static_cast<double>(lone);
    double cell = 0;
    for (CellPlacement& place : line) {
        if (place.Hanging)
            break;
        const bool alone = !place.DoubleByte && place.Parts == 1;
        place.Cell = cell;
        place.Extent = alone ? narrowed : 1;
        if (place.Part + 1 == place.Parts)
            cell += place.Extent;
    }
}

} // namespace

// A character that would reach past the last cell is the one the arrangement let hang there:
// every other character of an arranged line fits in 2 * Column units.
void ManuscriptLayout::PlaceLine(std::int32_t line, std::size_t begin, std::size_t end,
                                 std::vector<CellPlacement>& out) const
{
    const std::string_view text(FText.data(), end);
    const std::int64_t units = 2 * std::int64_t{FColumn};
    const std::size_t first = out.size();
    std::int64_t used = 0;
    std::int64_t cells = 0; // cells begun so far
    std::int64_t lone = 0;  // half-width characters alone in their cell
    bool halfOpen = false;  // the last cell holds one half-width character and has room
    for (std::size_t p = begin; p < end;) {
        const ShiftJis::Character ch = ShiftJis::CharacterAt(text, p);
        const std::string_view bytes = text.substr(p, ch.length);
        p += ch.length;
        const std::int64_t width = ch.doubleByte ? 2 : 1;
        used += width;
        if (used > units) {
            lone += halfOpen ? 1 : 0;
            halfOpen = false;
            out.push_back(
                {line, static_cast<double>(FColumn), 1, 0, 1, true, ch.doubleByte, bytes});
            continue;
        }
        if (!ch.doubleByte && halfOpen) {
            out.back().Parts = 2;
            out.push_back({line, static_cast<double>(cells - 1), 1, 1, 2, false, false, bytes});
            halfOpen = false;
            continue;
        }
        lone += halfOpen ? 1 : 0;
        halfOpen = !ch.doubleByte;
        out.push_back({line, static_cast<double>(cells), 1, 0, 1, false, ch.doubleByte, bytes});
        ++cells;
    }
    lone += halfOpen ? 1 : 0;
    if (cells > FColumn)
        NarrowLoneCells(std::span(out).subspan(first), static_cast<double>(cells - FColumn), lone);
}
