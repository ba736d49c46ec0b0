// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cutting a text into lines: a line ends at CR, at LF or at CR LF (one break), and a break at the
// very end of the text opens no further, empty line. Shared by documents and the settings file.

#include "analysis/BeforeNul.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace TextLines {

// The next `byte` at or after `from`, or `end`.
inline const char* Next(const char* from, const char* end, char byte) noexcept
{
    if (from == end)
        return end;
    const void* found = std::memchr(from, byte, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

// Calls `line(start, stop)` for every line of the text, `stop` standing on its break (or the end).
template <class Line> void ForEach(std::string_view text, Line line)
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

std::vector<std::string> Split(std::string_view text);

// The text up to its first NUL with every line followed by CR LF, appended to `out` in one pass;
// the lines are those of Split.
void AppendWithCrLf(std::string_view text, std::string& out);

// True when the text has no NUL and every line break in it is CR LF: AppendWithCrLf then gives it
// back unchanged, or with CR LF added when its last line has none.
bool HasOnlyCrLfBreaks(std::string_view text) noexcept;

} // namespace TextLines
