// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The character area, the share of the text's surface its glyphs blacken: what is done to a line
// before it is drawn, the sums over the lines, and the report. The drawing itself is
// GraphicsFunc's.

#include "TextStatistics.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

struct AreaResult
{
    // 64-bit: a long novel's lines together cover more pixels than 32 bits hold.
    std::int64_t coveredPixels = 0; // pixels the glyphs blacken, over every measured line
    std::int64_t totalPixels = 0;   // width x height of every measured line's text box
    bool cancelled = false;         // the writer pressed Cancel

    AreaResult& operator+=(const AreaResult& other) noexcept
    {
        coveredPixels += other.coveredPixels;
        totalPixels += other.totalPixels;
        return *this;
    }
};

// The text without every character whose code (a byte value, or lead * 256 + trail) is listed.
// Whole characters only: a listed byte that is the trail of a double-byte character stays.
std::string RemoveCharacters(std::string_view text, std::initializer_list<std::uint32_t> codes);

// A line as the area measures it: blanks that the writer's switches do not count are taken out,
// so that they neither widen the box nor count as covered.
std::string RemoveUncountedBlanks(std::string_view line, const CountOptions& options);

// "文字の占める割合は 25.00% です。" (Shift-JIS): covered * 100 / total with exactly two decimals.
std::string MakeAreaReport(const AreaResult& result);
