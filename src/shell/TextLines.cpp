#include "TextLines.h"

#include <cstring>

namespace TextLines {

namespace {

// The next `byte` at or after `from`, or `end`.
const char* Next(const char* from, const char* end, char byte) noexcept
{
    const void* found = std::memchr(from, byte, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

// Calls `line(start, stop)` for every line, `stop` standing on its break (or the end).
template <class Line> void ForEachLine(std::string_view text, Line line)
{
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    // The next CR and the next LF are each searched once and kept until the walk passes them, so
    // that a text with only one kind of break is not searched to its end for every line.
    const char* nextCr = Next(start, end, '\r');
    const char* nextLf = Next(start, end, '\n');
    while (start < end) {
        if (nextCr < start)
            nextCr = Next(start, end, '\r');
        if (nextLf < start)
            nextLf = Next(start, end, '\n');
        const char* stop = nextCr < nextLf ? nextCr : nextLf;
        line(start, stop);
        if (stop + 1 < end && stop[0] == '\r' && stop[1] == '\n')
            ++stop;
        start = stop + 1;
    }
}

} // namespace

std::vector<std::string> Split(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachLine(text,
                [&lines](const char* start, const char* stop) { lines.emplace_back(start, stop); });
    return lines;
}

void AppendWithCrLf(std::string_view text, std::string& out)
{
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text =
            text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    // Reserved, not filled: the pages a shorter result never reaches are never touched.
    out.reserve(out.size() + 2 * text.size() + 2);
    ForEachLine(text, [&out](const char* start, const char* stop) {
        out.append(start, stop);
        out += "\r\n";
    });
}

bool HasOnlyCrLfBreaks(std::string_view text) noexcept
{
    if (std::memchr(text.data(), '\0', text.size()) != nullptr)
        return false;
    const char* const end = text.data() + text.size();
    for (const char* p = text.data(); (p = Next(p, end, '\n')) != end; ++p)
        if (p == text.data() || p[-1] != '\r')
            return false;
    for (const char* p = text.data(); (p = Next(p, end, '\r')) != end; ++p)
        if (p + 1 == end || p[1] != '\n')
            return false;
    return true;
}

} // namespace TextLines
