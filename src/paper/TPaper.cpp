// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TPaper.h"

#include "Arrangement.h"
#include "analysis/SettingsStore.h"
#include "analysis/ShiftJis.h"

#include <algorithm>
#include <limits>

namespace {

// Closing punctuation that hangs at the end of a line instead of beginning the next one:
// ，、。．）」〕｝】》』 and the single-byte , . ] } ) ｣
constexpr std::string_view DefaultNoFirstChar =
    "\x81\x43\x81\x41\x81\x42\x81\x44\x81\x6A\x81\x76\x81\x6C\x81\x70\x81\x7A\x81\x74\x81\x78"
    ",.]})\xA3";

// Paragraph indents, opening brackets and bullets, before which a source line break survives:
// 　（「〔｛【《『・●◎○◆□◇■ and the single-byte [ { ( ｢ ･
constexpr std::string_view DefaultForceFirstChar =
    "\x81\x40\x81\x69\x81\x75\x81\x6B\x81\x6F\x81\x79\x81\x73\x81\x77\x81\x45\x81\x9C\x81\x9D"
    "\x81\x9B\x81\x9F\x81\xA0\x81\x9E\x81\xA1"
    "[{(\xA2\xA5";

constexpr std::string_view Section = "Paper";

std::int32_t ClampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

TPaper::TPaper() : NoFirstChar(DefaultNoFirstChar), ForceFirstChar(DefaultForceFirstChar) {}

bool TPaper::ContainsChar(std::string_view set, std::string_view ch) noexcept
{
    for (const ShiftJis::Character& member : ShiftJis::Characters(set)) {
        if (set.substr(member.position, member.length) == ch)
            return true;
    }
    return false;
}

bool TPaper::IsNoFirstChar(std::string_view ch) const noexcept
{
    return ContainsChar(NoFirstChar, ch);
}

std::string TPaper::Arrange(std::string_view text) const
{
    return ArrangeManuscript(*this, text).Text;
}

// Sheets of the arranged text. A Line of 0 or below is taken as one line per sheet.
PaperInfo TPaper::Count(std::string_view text) const
{
    return CountLines(1 + ArrangeManuscript(*this, text, false).LineBreaks);
}

PaperInfo TPaper::CountLines(std::int64_t lines) const noexcept
{
    const std::int64_t perSheet = std::max(Line, std::int32_t{1});
    const std::int64_t sheets = (lines + perSheet - 1) / perSheet;
    PaperInfo info;
    info.Sheets = ClampToInt32(sheets);
    info.TotalLines = ClampToInt32(lines);
    info.LastPageLines = ClampToInt32(lines - (sheets - 1) * perSheet);
    return info;
}

// Sheets from a weighted character count alone (a double-byte character weighs 2 units).
// A Column or Line of 0 or below is taken as 1. With 64-bit arithmetic even the largest Column
// and Line give exact figures: 2 * Column * Line stays below 2^63.
PaperInfo TPaper::SimpleCount(std::int64_t weightedCharacters) const noexcept
{
    const std::int64_t n = std::max(weightedCharacters, std::int64_t{0});
    const std::int64_t lineUnits = 2 * std::int64_t{std::max(Column, std::int32_t{1})};
    const std::int64_t sheetUnits = lineUnits * std::max(Line, std::int32_t{1});
    PaperInfo info;
    info.RatioNumerator = n;
    info.RatioDenominator = sheetUnits;
    info.SheetRatio = static_cast<double>(n) / static_cast<double>(sheetUnits);
    if (n == 0)
        return info; // no sheet, so no line on a last sheet either
    info.Sheets = ClampToInt32((n + sheetUnits - 1) / sheetUnits);
    info.TotalLines = ClampToInt32((n + lineUnits - 1) / lineUnits);
    std::int64_t rest = n % sheetUnits;
    if (rest == 0)
        rest = sheetUnits; // the last sheet is full
    info.LastPageLines = ClampToInt32((rest + lineUnits - 1) / lineUnits);
    return info;
}

// A Column or Line of 0 or below in a hand-edited file is ignored: the current value stays.
void TPaper::ReadSettings(SettingsStore& file)
{
    if (const std::int32_t column = file.ReadInteger(Section, "Column", Column); column > 0)
        Column = column;
    if (const std::int32_t line = file.ReadInteger(Section, "Line", Line); line > 0)
        Line = line;
    NoFirstChar = file.ReadShiftJisString(Section, "NoFirstChar", NoFirstChar);
    ForceFirstChar = file.ReadShiftJisString(Section, "ForceFirstChar", ForceFirstChar);
    Tab = static_cast<std::uint8_t>(file.ReadInteger(Section, "Tab", DeleteTab));
}

void TPaper::WriteSettings(SettingsStore& file) const
{
    file.WriteInteger(Section, "Column", Column);
    file.WriteInteger(Section, "Line", Line);
    file.WriteShiftJisString(Section, "NoFirstChar", NoFirstChar);
    file.WriteShiftJisString(Section, "ForceFirstChar", ForceFirstChar);
    file.WriteInteger(Section, "Tab", Tab);
}
