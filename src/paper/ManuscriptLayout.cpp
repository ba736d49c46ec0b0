#include "ManuscriptLayout.h"

#include "Arrangement.h"
#include "analysis/ShiftJis.h"

#include <algorithm>

ManuscriptLayout::ManuscriptLayout(const TPaper& paper, std::string_view text)
    : FColumn(std::max(paper.Column, std::int32_t{1})),
      FLinesPerSheet(std::max(paper.Line, std::int32_t{1})),
      FText(ArrangeManuscript(paper, text).Text)
{
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

// A character that would reach past the last cell is the one the arrangement let hang there:
// every other character of an arranged line fits in 2 * Column units.
void ManuscriptLayout::PlaceLine(std::int32_t line, std::size_t begin, std::size_t end,
                                 std::vector<CellPlacement>& out) const
{
    const std::string_view text(FText.data(), end);
    const std::int64_t units = 2 * std::int64_t{FColumn};
    std::int64_t used = 0;
    for (std::size_t p = begin; p < end;) {
        const ShiftJis::Character ch = ShiftJis::CharacterAt(text, p);
        const std::int64_t width = ch.doubleByte ? 2 : 1;
        const bool hanging = used + width > units;
        out.push_back(
            {line, hanging ? units : used, hanging, ch.doubleByte, text.substr(p, ch.length)});
        used += width;
        p += ch.length;
    }
}
