// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The manuscript check on any text (the first byte says which rules are on): every finding lies
// inside its line, in order, and the kept findings of the lines say the same.
#include "analysis/CheckedLines.h"
#include "analysis/ManuscriptCheck.h"
#include "analysis/ShiftJis.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    CheckSwitches switches;
    for (std::size_t rule = 0; rule < CheckRuleCount; ++rule)
        switches.on[rule] = (data[0] >> rule & 1) != 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t stop; (stop = text.find("\r\n", start)) != std::string_view::npos;
         start = stop + 2)
        lines.emplace_back(text.substr(start, stop - start));
    lines.emplace_back(text.substr(start));
    const std::vector<CheckFinding> findings = CheckText(text, switches);
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const CheckFinding& f = findings[i];
        if (f.line < 1 || f.line > lines.size() || !switches.On(f.rule))
            std::abort();
        std::uint32_t characters = 0;
        for ([[maybe_unused]] const ShiftJis::Character& c :
             ShiftJis::Characters(lines[f.line - 1]))
            ++characters;
        if (f.column < 1 || f.column > characters)
            std::abort();
        if (i > 0 && !(findings[i - 1].line < f.line ||
                       (findings[i - 1].line == f.line && findings[i - 1].column <= f.column)))
            std::abort();
    }
    CheckedLines kept;
    kept.Reset(switches);
    kept.Replace(
        0, 0, lines.size(), [&lines](std::size_t n) { return std::string_view(lines[n]); },
        lines.size());
    if (kept.Findings() != findings)
        std::abort();
    return 0;
}
