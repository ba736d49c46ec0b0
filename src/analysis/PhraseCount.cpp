// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhraseCount.h"
#include "analysis/BeforeNul.h"

#include "ShiftJis.h"

#include <cstring>

std::int64_t CountPhrase(std::string_view text, std::string_view phrase) noexcept
{
    if (text.empty() || phrase.empty())
        return -1;
    // The search never looks past a NUL byte of the text.
    text = BeforeNul(text);
    std::int64_t count = 0;
    std::size_t boundary = 0; // a known character boundary: the remainder starts here
    for (std::size_t found = text.find(phrase); found != std::string_view::npos;
         found = text.find(phrase, boundary)) {
        if (ShiftJis::IsCharacterBoundaryFrom(text, boundary, found)) {
            ++count;
            boundary = found + phrase.size(); // the next remainder starts after the occurrence
        } else {
            boundary = found + 1; // a match on a trail byte: go on from the next character
        }
    }
    return count;
}

std::optional<std::string> MakePhraseReport(std::int64_t count, std::string_view phrase)
{
    if (count < 0)
        return std::nullopt;
    // "文字列 " + phrase + " は", an empty line, then count + " 個見つかりました。"
    std::string report = "\x95\xB6\x8E\x9A\x97\xF1 ";
    report += phrase;
    report += " \x82\xCD\r\n\r\n";
    report += std::to_string(count);
    report += " \x8C\xC2\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81"
              "B";
    return report;
}
