// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckedLines.h"

#include <algorithm>

void CheckedLines::Reset(const CheckSwitches& switches, const HeadingRules& rules)
{
    FSwitches = switches;
    FRules = rules;
    FLines.clear();
}

void CheckedLines::Replace(std::size_t first, std::size_t removed, std::size_t added,
                           const LineSource& text, std::size_t lineCount)
{
    if (first > FLines.size() || removed > FLines.size() - first ||
        FLines.size() - removed + added != lineCount) {
        FLines.assign(lineCount, {});
        CheckLines(0, lineCount, text);
        return;
    }
    // A key changes one line into one line: the findings change in place.
    const auto at = FLines.begin() + static_cast<std::ptrdiff_t>(first);
    if (removed > added)
        FLines.erase(at, at + static_cast<std::ptrdiff_t>(removed - added));
    else
        FLines.insert(at, added - removed, {});
    // A block heading joins lines less than BlockHeadingLines apart: whether those around the
    // change are part of a heading may have changed with it.
    const std::size_t reach = BlockHeadingLines - 1;
    CheckLines(first > reach ? first - reach : 0, std::min(lineCount, first + added + reach), text);
}

// Lines first..end - 1 checked again.
void CheckedLines::CheckLines(std::size_t first, std::size_t end, const LineSource& text)
{
    ::CheckLines(
        text, FLines.size(), first, end, FSwitches, FRules,
        [this](std::size_t n, std::vector<LineFinding>& findings) { FLines[n].swap(findings); });
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
