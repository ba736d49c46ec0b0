// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "InformationPanel.h"

#include "Saturate.h"
#include "TextAsRead.h"
#include "WordCount.h"

InformationTexts EmptyInformation()
{
    return {"0", "0", "0", "0 (words)", "0", "0 (bytes)"};
}

TextStatistics CountTextAndWords(std::string_view text, const CountOptions& options,
                                 const WordCharacterSet& wordCharacters)
{
    const ReadingText asRead(text, options.excludeRuby);
    TextStatistics statistics =
        CountTextWithWords(asRead.View(), WithRuby(options), wordCharacters);
    statistics.bytes = static_cast<std::int64_t>(text.size());
    return statistics;
}

InformationTexts MakeInformation(std::string_view text, const CountOptions& options,
                                 const WordCharacterSet& wordCharacters,
                                 std::optional<std::int32_t> displayLines)
{
    return FormatInformation(CountTextAndWords(text, options, wordCharacters), displayLines);
}

InformationTexts FormatInformation(TextStatistics statistics,
                                   std::optional<std::int32_t> displayLines)
{
    if (displayLines)
        statistics.lines = *displayLines;

    InformationTexts texts;
    texts.textSize = std::to_string(statistics.bytes) + " (bytes)";
    texts.charNumber = std::to_string(statistics.characters);
    texts.lineNumber = std::to_string(statistics.lines);
    texts.wordNumber = std::to_string(statistics.words) + " (words)";
    // No lines (an empty text in a mode that reports none) means no per-line figures.
    if (statistics.lines <= 0) {
        texts.charNumberPerLine = texts.wordNumberPerLine = "0";
    } else {
        texts.charNumberPerLine = std::to_string(statistics.characters / statistics.lines);
        texts.wordNumberPerLine = std::to_string(statistics.words / statistics.lines);
    }
    return texts;
}
