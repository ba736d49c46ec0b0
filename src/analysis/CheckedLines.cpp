// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckedLines.h"

#include <algorithm>

void CheckedLines::Reset(const CheckSwitches& switches)
{
    FSwitches = switches;
    FLines.clear();
}

void CheckedLines::Replace(std::size_t first, std::size_t count,
                           const std::vector<std::string>& lines)
{
    first = std::min(first, FLines.size());
    count = std::min(count, FLines.size() - first);
    std::vector<std::vector<LineFinding>> checked(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        CheckLine(lines[i], FSwitches, checked[i]);
    // A key changes one line into one line: the findings change in place.
    const std::size_t same = std::min(count, checked.size());
    const auto at = FLines.begin() + static_cast<std::ptrdiff_t>(first);
    std::move(checked.begin(), checked.begin() + static_cast<std::ptrdiff_t>(same), at);
    if (count > same)
        FLines.erase(at + static_cast<std::ptrdiff_t>(same),
                     at + static_cast<std::ptrdiff_t>(count));
    else
        FLines.insert(at + static_cast<std::ptrdiff_t>(same),
                      std::make_move_iterator(checked.begin() + static_cast<std::ptrdiff_t>(same)),
                      std::make_move_iterator(checked.end()));
}

std::vector<CheckFinding> CheckedLines::Findings() const
{
    std::vector<CheckFinding> findings;
    for (std::size_t i = 0; i < FLines.size(); ++i)
        for (const LineFinding& f : FLines[i])
            findings.push_back({i + 1, f.column, f.rule});
    return findings;
}

std::array<std::size_t, CheckRuleCount> CheckedLines::CountsByRule() const noexcept
{
    std::array<std::size_t, CheckRuleCount> counts{};
    for (const auto& line : FLines)
        for (const LineFinding& f : line)
            ++counts[static_cast<std::size_t>(f.rule)];
    return counts;
}
