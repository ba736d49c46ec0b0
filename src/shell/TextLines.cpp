#include "TextLines.h"

namespace TextLines {

std::vector<std::string> Split(std::string_view text)
{
    std::vector<std::string> lines;
    const char* const end = text.data() + text.size();
    const char* start = text.data();
    while (start < end) {
        const char* stop = start;
        while (stop < end && *stop != '\r' && *stop != '\n')
            ++stop;
        lines.emplace_back(start, stop);
        if (stop + 1 < end && stop[0] == '\r' && stop[1] == '\n')
            ++stop;
        start = stop + 1;
    }
    return lines;
}

} // namespace TextLines
