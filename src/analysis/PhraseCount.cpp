#include "PhraseCount.h"

#include "Saturate.h"
#include "ShiftJis.h"

#include <cstring>

namespace {

// Where the next occurrence of the phrase starts, searching the characters of the text from
// `from` (which the walk treats as the first byte of the remainder); npos when there is none.
std::size_t FindOnBoundary(std::string_view text, std::size_t from, std::string_view phrase) noexcept
{
    const char first = phrase.front();
    for (const ShiftJis::Character& c : ShiftJis::Characters(text, from)) {
        if (text[c.position] != first || text.size() - c.position < phrase.size())
            continue;
        if (std::memcmp(text.data() + c.position, phrase.data(), phrase.size()) == 0)
            return c.position;
    }
    return std::string_view::npos;
}

} // namespace

std::int32_t CountPhrase(std::string_view text, std::string_view phrase) noexcept
{
    if (text.empty() || phrase.empty())
        return -1;
    // The search never looks past a NUL byte of the text.
    if (const void* nul = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    std::int64_t count = 0;
    std::size_t from = 0;
    while (true) {
        const std::size_t found = FindOnBoundary(text, from, phrase);
        if (found == std::string_view::npos)
            return SaturateToInt32(count);
        ++count;
        from = found + phrase.size();
    }
}

std::optional<std::string> MakePhraseReport(std::int32_t count, std::string_view phrase)
{
    if (count < 0)
        return std::nullopt;
    // "文字列 " + phrase + " は", an empty line, then count + " 個見つかりました。"
    std::string report = "\x95\xB6\x8E\x9A\x97\xF1 ";
    report += phrase;
    report += " \x82\xCD\r\n\r\n";
    report += std::to_string(count);
    report += " \x8C\xC2\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB5\x82\xBD\x81" "B";
    return report;
}
