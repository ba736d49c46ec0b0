#include "InformationPanel.h"

#include "TextAsRead.h"
#include "WordCount.h"

InformationTexts EmptyInformation()
{
    return {"0", "0", "0", "0 (words)", "0", "0 (bytes)"};
}

InformationTexts MakeInformation(std::string_view text, const CountOptions& options,
                                 const WordCharacterSet& wordCharacters,
                                 std::optional<std::int32_t> displayLines)
{
    TextStatistics statistics = CountText(text, options, 1);
    if (displayLines)
        statistics.lines = *displayLines;
    statistics.words = CountWords(ReadingText(text, options.excludeRuby), wordCharacters);

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
