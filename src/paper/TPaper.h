// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A writer's manuscript paper (原稿用紙): cells per line, lines per sheet, the line-start rules and
// the treatment of tabs; arranges text into manuscript lines and counts sheets.

#include <cstdint>
#include <string>
#include <string_view>

class SettingsStore;

enum TabMode : std::uint8_t
{
    UseTab = 0,          // the tab stays and takes one half-width unit
    DeleteTab = 1,       // the tab is dropped
    ChangeTabToSpace = 2 // the tab becomes a double-byte space (any other value acts the same)
};

struct PaperInfo
{
    std::int32_t Sheets = 0;
    std::int32_t TotalLines = 0;
    std::int32_t LastPageLines = 0;
    double SheetRatio = -1.0; // -1.0 when the count does not compute it
    // The exact ratio behind SheetRatio, for writing it with exact rounding (0 / 0 when absent).
    std::int64_t RatioNumerator = 0;
    std::int64_t RatioDenominator = 0;
};

class TPaper
{
public:
    TPaper();

    std::int32_t Column = 20;
    std::int32_t Line = 20;
    std::string NoFirstChar;    // characters that must not begin a line
    std::string ForceFirstChar; // characters before which a source line break survives
    std::uint8_t Tab = DeleteTab;

    static bool ContainsChar(std::string_view set, std::string_view ch) noexcept;
    bool IsNoFirstChar(std::string_view ch) const noexcept;

    // The manuscript lines of the text, joined by CR LF. A Column of 0 or below is taken as 1.
    std::string Arrange(std::string_view text) const;
    // Sheets of the arranged text (SheetRatio -1.0). A Line of 0 or below is taken as 1.
    PaperInfo Count(std::string_view text) const;
    // The sheets that `lines` manuscript lines fill (SheetRatio -1.0), as Count figures them.
    PaperInfo CountLines(std::int64_t lines) const noexcept;
    // Sheets from the weighted character count (double-byte characters weigh 2); with the exact
    // ratio. A Column or Line of 0 or below is taken as 1; a count of 0 gives no sheet at all.
    PaperInfo SimpleCount(std::int64_t weightedCharacters) const noexcept;

    // Section "Paper" of the settings file. Reading keeps the current Column or Line when the file
    // holds 0 or a negative number.
    void ReadSettings(SettingsStore& file);
    void WriteSettings(SettingsStore& file) const;
};

// The manuscript report shown in the result dialog (Shift-JIS, CR LF).
std::string MakePaperReport(const PaperInfo& info);
