#pragma once
// Where every character of a text stands on the sheets of manuscript paper: the arranged text
// (TPaper::Arrange) cut into sheets of Line lines, each character in its cell or half-cell, a
// character that hangs at a line end in the space below the last cell.

#include "TPaper.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CellPlacement
{
    std::int32_t Line = 0; // manuscript line on its sheet, from 0
    // Half-width units from the start of the line: the cell is Unit / 2, the half Unit % 2. A
    // double-byte character after an odd number of half-width ones straddles two cells.
    std::int64_t Unit = 0;
    bool Hanging = false; // beyond the last cell, in the space below it (Unit is then 2 * Column)
    bool DoubleByte = false;
    std::string_view Bytes; // the character, inside the layout's arranged text
};

class ManuscriptLayout
{
public:
    // Arranges the text once; the placements of a sheet are worked out when asked for. A Column
    // or Line of 0 or below is taken as 1, as the counts take it.
    ManuscriptLayout(const TPaper& paper, std::string_view text);

    std::int32_t Column() const noexcept { return FColumn; }
    std::int32_t LinesPerSheet() const noexcept { return FLinesPerSheet; }
    // The same figures as TPaper::Count for the same text and paper.
    const PaperInfo& Info() const noexcept { return FInfo; }
    std::int32_t SheetCount() const noexcept { return FInfo.Sheets; }

    // The characters of one sheet (0 <= sheet < SheetCount()), line by line; empty otherwise.
    // Tabs kept as they are and stray CR or LF bytes hold their place but show nothing.
    std::vector<CellPlacement> Sheet(std::int32_t sheet) const;

private:
    void PlaceLine(std::int32_t line, std::size_t begin, std::size_t end,
                   std::vector<CellPlacement>& out) const;

    std::int32_t FColumn;
    std::int32_t FLinesPerSheet;
    std::string FText;                    // the arranged text
    std::vector<std::size_t> FLineStarts; // first byte of every manuscript line, then the end
    PaperInfo FInfo;
};
