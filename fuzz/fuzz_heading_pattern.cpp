// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Any heading pattern the writer may type, tried on any line: no fault, no stack overflow, and
// an end within the matcher's limits. The bytes before the first NUL are the pattern (UTF-8),
// those after it the line (Shift-JIS).
#include "analysis/Chapters.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    const std::string_view pattern = bytes.substr(0, nul);
    const std::string_view line =
        nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1);
    HeadingRules rules;
    if (rules.SetExtraPattern(pattern)) {
        rules.Match(line);
        rules.Match(std::string(line.size() * 4, 'a'));
    }
    return 0;
}
