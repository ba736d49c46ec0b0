// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manuscript check's findings kept per line, so that an edit re-checks only the lines it
// touched: the editor hands over the new bytes of those lines, and the findings of the rest stay.

#include "ManuscriptCheck.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CheckedLines
{
public:
    // Drops every line and checks from now on under `switches`.
    void Reset(const CheckSwitches& switches);
    const CheckSwitches& Switches() const noexcept { return FSwitches; }

    // Puts the findings of `lines` (Shift-JIS, without breaks) in the place of the `count` lines
    // from `first`; `first` and `count` are cut to the lines held.
    void Replace(std::size_t first, std::size_t count, const std::vector<std::string>& lines);
    std::size_t Count() const noexcept { return FLines.size(); }
    const std::vector<LineFinding>& Line(std::size_t index) const { return FLines.at(index); }

    // Every finding by line and column, and the number of findings of each rule.
    std::vector<CheckFinding> Findings() const;
    std::array<std::size_t, CheckRuleCount> CountsByRule() const noexcept;

private:
    CheckSwitches FSwitches;
    std::vector<std::vector<LineFinding>> FLines;
};
