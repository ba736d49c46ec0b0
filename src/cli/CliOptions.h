// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of kotonami-count: which analyses to run, on which files, with which settings.

#include "analysis/ManuscriptCheck.h"
#include "analysis/TextStatistics.h"
#include "documents/TextEncoding.h"
#include "paper/TPaper.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum class Analysis
{
    Stats,
    Census,
    Phrase,
    Paper,
    SimplePaper,
    Arrange,
    FullWidth,
    FullKana,
    Check,
    Chapters
};

struct AnalysisRequest
{
    Analysis kind = Analysis::Stats;
    std::string phrase; // Shift-JIS; only for Analysis::Phrase
};

// What the options change after the settings file has been read; unset means "as the file says".
struct SettingOverrides
{
    std::optional<bool> countSpace;
    std::optional<bool> countTab;
    std::optional<bool> countDoubleByteSpace;
    std::optional<bool> excludeRuby;
    std::optional<bool> countDigits;
    std::optional<std::string> wordCharacters; // Shift-JIS
    std::optional<std::int32_t> column;
    std::optional<std::int32_t> line;
    std::optional<std::uint8_t> tab;
    std::optional<CheckSwitches> checkRules; // only the rules named on, the rest off
};

// How --check counts a finding's column: as a terminal shows the line (GCC's default), by
// characters, or by the bytes of the file's encoding.
enum class ColumnUnit
{
    Display,
    Character,
    Byte
};

struct CliOptions
{
    bool help = false;
    bool version = false;
    std::vector<AnalysisRequest> analyses; // in the order given; --stats when none was given
    std::vector<std::string> files;        // "-" is standard input; none means standard input
    std::optional<std::string> settingsPath;
    SettingOverrides overrides;
    bool raw = false;
    std::optional<TextEncoding> inputEncoding; // none: detected per FILE
    bool log = false;                          // the writing log's days instead of analyses
    std::optional<std::int32_t> logDays;       // the last N days only
    ColumnUnit columnUnit = ColumnUnit::Display;
};

// A command line that cannot be used; exit status 2.
class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// `arguments` without the program name. Throws UsageError.
CliOptions ParseCliOptions(const std::vector<std::string>& arguments);

// A text typed on the command line, in the encoding `codeset` (the locale's), as Shift-JIS bytes;
// nothing when it is not text of that encoding or a character has no Shift-JIS form.
std::optional<std::string> LocaleTextToShiftJis(const std::string& text, std::string_view codeset);

// A UTF-8 text in the encoding `codeset` (the locale's), for messages; characters it cannot
// hold are transliterated.
std::string Utf8ToLocaleText(const std::string& utf8, std::string_view codeset);

// The rules named in a comma-separated list of rule ids on, every other rule off. Throws
// UsageError for an unknown id or an empty list.
CheckSwitches CheckRulesList(const std::string& list);

// The text that --help prints.
extern const char* const CliUsage;
