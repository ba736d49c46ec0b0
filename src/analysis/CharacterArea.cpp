// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharacterArea.h"

#include "Cp932Codec.h"
#include "ReportFormat.h"
#include "ShiftJis.h"

#include <algorithm>

std::string RemoveCharacters(std::string_view text, std::initializer_list<std::uint32_t> codes)
{
    std::string kept;
    kept.reserve(text.size());
    for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
        if (std::find(codes.begin(), codes.end(), c.code) == codes.end())
            kept.append(text.substr(c.position, c.length));
    }
    return kept;
}

std::string RemoveUncountedBlanks(std::string_view line, const CountOptions& options)
{
    std::string kept(line);
    if (!options.countSpace)
        kept = RemoveCharacters(kept, {ShiftJis::Space});
    if (!options.countDoubleByteSpace)
        kept = RemoveCharacters(kept, {ShiftJis::DoubleByteSpace});
    return kept;
}

std::string MakeAreaReport(const AreaResult& result)
{
    std::string report;
    Cp932::EncodeFromUtf8("文字の占める割合は ", report);
    // covered <= total, so covered * 100 stays far inside 64 bits for any real text.
    report += FormatRatio(result.coveredPixels * 100, result.totalPixels, 2);
    Cp932::EncodeFromUtf8("% です。", report);
    return report;
}
