// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindingColumns.h"

#include "analysis/Cp932Codec.h"
#include "analysis/ShiftJis.h"

#include <algorithm>
#include <limits>
#include <string>

namespace {

constexpr std::uint64_t TabStop = 8;

// The bytes of the line before the character at `column`.
std::string_view Before(std::string_view line, std::uint32_t column)
{
    std::uint32_t index = 1;
    for (const ShiftJis::Character& c : ShiftJis::Characters(line))
        if (index++ == column)
            return line.substr(0, c.position);
    return line;
}

std::uint64_t DisplayWidth(std::string_view text)
{
    std::uint64_t width = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
        if (c.IsSingleByte(ShiftJis::Tab))
            width = (width / TabStop + 1) * TabStop;
        else
            width += c.doubleByte ? 2 : 1;
    }
    return width;
}

std::uint64_t EncodedSize(std::string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::ShiftJis)
        return text.size();
    std::u16string units;
    Cp932::Decode(text, units);
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be)
        return 2 * units.size(); // the byte-order mark stands before the first line only
    std::string bytes;
    EncodeText(units, encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8 : encoding,
               LineBreak::CrLf, false, bytes);
    return bytes.size();
}

} // namespace

std::uint32_t FindingColumn(std::string_view line, std::uint32_t column, ColumnUnit unit,
                            TextEncoding encoding)
{
    std::uint64_t before = 0;
    switch (unit) {
    case ColumnUnit::Character:
        return column;
    case ColumnUnit::Display:
        before = DisplayWidth(Before(line, column));
        break;
    case ColumnUnit::Byte:
        before = EncodedSize(Before(line, column), encoding);
        break;
    }
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(before + 1, std::numeric_limits<std::uint32_t>::max()));
}
