#include "TextLines.h"

#include <cstring>

namespace TextLines {

std::vector<std::string> Split(std::string_view text)
{
    std::vector<std::string> lines;
    ForEach(text,
            [&lines](const char* start, const char* stop) { lines.emplace_back(start, stop); });
    return lines;
}

void AppendWithCrLf(std::string_view text, std::string& out)
{
    text = BeforeNul(text);
    // Reserved, not filled: the pages a shorter result never reaches are never touched.
    out.reserve(out.size() + 2 * text.size() + 2);
    ForEach(text, [&out](const char* start, const char* stop) {
        out.append(start, stop);
        out += "\r\n";
    });
}

bool HasOnlyCrLfBreaks(std::string_view text) noexcept
{
    if (HoldsNul(text))
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
