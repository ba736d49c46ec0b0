// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manuscript check: the conventions of Japanese prose that an editor or a contest expects and
// a spell checker does not know (ellipses and dashes in pairs, a blank after ！ and ？, indented
// paragraphs, brackets that close, ...), found line by line over Shift-JIS text. A finding's
// column is the place of its character in the line, counted from 1, every character (a TAB too)
// being one.

#include "Chapters.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class SettingsStore;

enum class CheckRule : std::uint8_t
{
    EllipsisPair,
    DashPair,
    SpaceAfterMark,
    PeriodBeforeClose,
    ParagraphIndent,
    BracketBalance,
    RepeatedPunctuation,
    HalfwidthKana
};

inline constexpr std::size_t CheckRuleCount = 8;

struct CheckRuleInfo
{
    CheckRule rule;
    std::string_view id;      // the rule's name on the command line and in the settings file
    std::string_view title;   // UTF-8: a short name for lists and menus
    std::string_view message; // UTF-8
};

// The rules in the order above.
const std::array<CheckRuleInfo, CheckRuleCount>& CheckRules() noexcept;
const CheckRuleInfo& RuleInfo(CheckRule rule) noexcept;
std::optional<CheckRule> RuleById(std::string_view id) noexcept;

// Which rules are on; all of them unless the writer turned some off.
struct CheckSwitches
{
    std::array<bool, CheckRuleCount> on{true, true, true, true, true, true, true, true};

    bool On(CheckRule rule) const noexcept { return on[static_cast<std::size_t>(rule)]; }
    void Set(CheckRule rule, bool value) noexcept { on[static_cast<std::size_t>(rule)] = value; }
    friend bool operator==(const CheckSwitches&, const CheckSwitches&) = default;
};

// The switches in the settings file: section `Check`, one key per rule id.
void ReadCheckSwitches(CheckSwitches& switches, SettingsStore& file);
void WriteCheckSwitches(const CheckSwitches& switches, SettingsStore& file);

struct LineFinding
{
    std::uint32_t column = 0; // from 1
    CheckRule rule = CheckRule::EllipsisPair;
    friend bool operator==(const LineFinding&, const LineFinding&) = default;
};

struct CheckFinding
{
    std::size_t line = 0;     // from 1
    std::uint32_t column = 0; // from 1
    CheckRule rule = CheckRule::EllipsisPair;
    friend bool operator==(const CheckFinding&, const CheckFinding&) = default;
};

// Appends the findings of one line (without its break) to `out`, by column, then in rule order. A
// `heading` line (a heading or a line of a block heading, by HeadingRules) needs no indent.
void CheckLine(std::string_view line, const CheckSwitches& switches, std::vector<LineFinding>& out,
               bool heading = false);

// The findings of lines first..end - 1 of a text of `count` lines, handed to `take` line by line
// (its number from 0, its findings, which it may take), headings told by `rules`.
void CheckLines(const LineSource& line, std::size_t count, std::size_t first, std::size_t end,
                const CheckSwitches& switches, const HeadingRules& rules,
                const std::function<void(std::size_t, std::vector<LineFinding>&)>& take);

// The findings of a text whose lines are joined by CR LF (as the editor hands text out), by line
// and column, its headings told by `rules`. A CR or LF that is not part of a CR LF is a character
// of its line.
std::vector<CheckFinding> CheckText(std::string_view text, const CheckSwitches& switches,
                                    const HeadingRules& rules = HeadingRules());
