// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manuscript check's findings kept per line, so that an edit re-checks only the lines it
// touched and those a block heading may join to them: the editor hands over its lines, and the
// findings of the rest stay.

#include "Chapters.h"
#include "ManuscriptCheck.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CheckedLines
{
public:
    // Drops every line and checks from now on under `switches`, headings told by `rules`.
    void Reset(const CheckSwitches& switches, const HeadingRules& rules = HeadingRules());
    const CheckSwitches& Switches() const noexcept { return FSwitches; }
    const HeadingRules& Rules() const noexcept { return FRules; }

    // The text, `lineCount` lines that `text` gives, now holds `added` lines from `first` in the
    // place of the `removed` lines held there before. When the numbers do not add up to the lines
    // held, every line is checked again.
    void Replace(std::size_t first, std::size_t removed, std::size_t added, const LineSource& text,
                 std::size_t lineCount);
    std::size_t Count() const noexcept { return FLines.size(); }
    const std::vector<LineFinding>& Line(std::size_t index) const { return FLines.at(index); }

    // Every finding by line and column, and the number of findings of each rule.
    std::vector<CheckFinding> Findings() const;
    std::array<std::size_t, CheckRuleCount> CountsByRule() const noexcept;

private:
    void CheckLines(std::size_t first, std::size_t end, const LineSource& text);

    CheckSwitches FSwitches;
    HeadingRules FRules;
    std::vector<std::vector<LineFinding>> FLines;
};
