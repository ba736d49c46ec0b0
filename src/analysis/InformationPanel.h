// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The six texts of the information panel under the editor, as Shift-JIS-free ASCII strings.

#include "TextStatistics.h"

#include <optional>
#include <string>
#include <string_view>

class WordCharacterSet;

struct InformationTexts
{
    std::string charNumber;        // CharNumber
    std::string charNumberPerLine; // CharNumberPerLine
    std::string lineNumber;        // LineNumber
    std::string wordNumber;        // WordNumber, "N (words)"
    std::string wordNumberPerLine; // WordNumberPerLine
    std::string textSize;          // TextSize, "N (bytes)"

    friend bool operator==(const InformationTexts&, const InformationTexts&) = default;
};

// The initial texts of the panel: "0", "0", "0", "0 (words)", "0", "0 (bytes)".
InformationTexts EmptyInformation();

// Characters, lines, bytes and words of a text, as CountText and CountWords give them, reading the
// text as read (ruby and notes left out, when the switch says so) only once.
TextStatistics CountTextAndWords(std::string_view text, const CountOptions& options,
                                 const WordCharacterSet& wordCharacters);

// Writes the six texts of figures counted already (words included).
InformationTexts FormatInformation(TextStatistics statistics,
                                   std::optional<std::int32_t> displayLines = std::nullopt);

// Counts the text and writes the six texts. When `displayLines` is given it replaces the logical
// line count (the editor's display-line count for its current width).
InformationTexts MakeInformation(std::string_view text, const CountOptions& options,
                                 const WordCharacterSet& wordCharacters,
                                 std::optional<std::int32_t> displayLines = std::nullopt);
