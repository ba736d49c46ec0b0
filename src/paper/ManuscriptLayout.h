// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where every character of a text stands on the sheets of manuscript paper: the arranged text
// (TPaper::Arrange) cut into sheets of Line lines, each character in its cell, a character that
// hangs at a line end in the space below the last cell.

#include "TPaper.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A double-byte character takes a cell of its own. Half-width characters fill cells two at a time
// from the start of their run, and an odd one at the end of a run takes a cell alone, so the
// double-byte character after it starts in a cell of its own too. Where that padding would carry
// a line past its last cell, the lone half-width cells of that line are narrowed (to half a cell
// at the least) so that the line ends where the count ends it.
struct CellPlacement
{
    std::int32_t Line = 0;  // manuscript line on its sheet, from 0
    double Cell = 0;        // where the character's cell starts along the line, in cells
    double Extent = 1;      // the cell's length along the line, in cells
    std::uint8_t Part = 0;  // of the half-width characters sharing the cell: this one (0 or 1) ...
    std::uint8_t Parts = 1; // ... of how many (1 or 2)
    bool Hanging = false;   // beyond the last cell, in the space below it (Cell is then Column)
    bool DoubleByte = false;
    std::string_view Bytes; // the character, inside the layout's arranged text
};

class ManuscriptLayout
{
public:
    // Arranges the text once; the placements of a sheet are worked out when asked for. A Column
    // or Line of 0 or below is taken as 1, as the counts take it. `heading` lines (already
    // arranged, joined by CR LF) stand before the text's own lines, on the first sheet.
    ManuscriptLayout(const TPaper& paper, std::string_view text, std::string_view heading = {});

    std::int32_t Column() const noexcept { return FColumn; }
    std::int32_t LinesPerSheet() const noexcept { return FLinesPerSheet; }
    // The same figures as TPaper::Count for the same text and paper (heading lines included).
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
