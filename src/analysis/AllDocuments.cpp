// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AllDocuments.h"

#include "InformationPanel.h"
#include "PhraseCount.h"
#include "Saturate.h"
#include "ShiftJis.h"
#include "TextAsRead.h"
#include "WordCount.h"

std::string_view NormaliseSelection(std::string_view selected) noexcept
{
    if (selected.empty() || (selected.size() == 1 && selected[0] == '\0'))
        return {};
    // The editor can hand over a selection that ends in a NUL and one byte more; that NUL and
    // its follower are not the writer's text. A NUL that is a trail byte is part of a character.
    const std::size_t secondToLast = selected.size() - 2;
    if (selected.size() >= 2 && selected[secondToLast] == '\0' &&
        ShiftJis::IsCharacterBoundary(selected, secondToLast))
        return selected.substr(0, secondToLast);
    return selected;
}

TextStatistics SumStatistics(std::span<const std::string_view> texts,
                             std::span<const std::int64_t> sizes, const CountOptions& options,
                             const WordCharacterSet& wordCharacters)
{
    TextStatistics totals;
    for (const std::string_view text : texts) {
        const TextStatistics one = CountTextAndWords(text, options, wordCharacters);
        totals.characters = SaturatingAdd64(totals.characters, one.characters);
        totals.lines = SaturatingAdd64(totals.lines, one.lines);
        totals.words = SaturatingAdd64(totals.words, one.words);
    }
    std::int64_t bytes = 0;
    for (const std::int64_t size : sizes)
        bytes = SaturatingAdd64(bytes, size);
    totals.bytes = bytes;
    return totals;
}

std::string MakeAllDocumentsReport(const TextStatistics& totals)
{
    // "文字数 : ", "英単語数 : "
    std::string report = "\x95\xB6\x8E\x9A\x90\x94 : " + std::to_string(totals.characters);
    report += "\r\n\x89p\x92P\x8C\xEA\x90\x94 : " + std::to_string(totals.words);
    if (totals.lines > 0) {
        // "1行あたりの文字数 : ", "1行あたりの英単語数 : "
        report += "\r\n1\x8Ds\x82\xA0\x82\xBD\x82\xE8\x82\xCC\x95\xB6\x8E\x9A\x90\x94 : " +
                  std::to_string(totals.characters / totals.lines);
        report += "\r\n1\x8Ds\x82\xA0\x82\xBD\x82\xE8\x82\xCC\x89p\x92P\x8C\xEA\x90\x94 : " +
                  std::to_string(totals.words / totals.lines);
    }
    // "行数 : ", "サイズ : "
    report += "\r\n\x8Ds\x90\x94 : " + std::to_string(totals.lines);
    report += "\r\n\x83T\x83"
              "C\x83Y : " +
              std::to_string(totals.bytes) + " (bytes)";
    return report;
}

CharacterCensus SumCensus(std::span<const std::string_view> texts, const CountOptions& options)
{
    CharacterCensus totals;
    for (const std::string_view text : texts)
        totals += CountCharacterTypes(text, options);
    return totals;
}

std::int64_t SumPhraseCounts(std::span<const std::string_view> texts,
                             std::string_view phrase) noexcept
{
    std::int64_t total = 0;
    for (const std::string_view text : texts) {
        const std::int64_t count = CountPhrase(text, phrase);
        if (count >= 0)
            total = SaturatingAdd64(total, count);
    }
    return total;
}
