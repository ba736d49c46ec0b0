// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileText.h"

#include <algorithm>

namespace ProfileText {

namespace {

bool IsBlank(char c) noexcept
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) noexcept
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char AsciiLower(char c) noexcept
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) noexcept
{
    return std::ranges::equal(Trim(a), Trim(b),
                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// The name of a "[section]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) noexcept
{
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const auto close = line.find(']');
    return line.substr(1, (close == std::string_view::npos ? line.size() : close) - 1);
}

// The key of a "key=value" line; comment lines (";") and lines without "=" have none.
std::optional<std::string_view> KeyName(std::string_view line) noexcept
{
    const std::string_view trimmed = Trim(line);
    const auto equals = line.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || equals == std::string_view::npos)
        return std::nullopt;
    return line.substr(0, equals);
}

struct SectionRange
{
    std::size_t header;
    std::size_t end; // the next section's header, or the end of the text
};

std::optional<SectionRange> FindSection(const std::vector<std::string>& lines,
                                        std::string_view section)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !SectionName(lines[end]))
            ++end;
        return SectionRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<std::string>& lines, SectionRange range,
                                   std::string_view key)
{
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto name = KeyName(lines[i]);
        if (name && SameName(*name, key))
            return i;
    }
    return std::nullopt;
}

int HexDigit(char c) noexcept
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = AsciiLower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Digits of one base up to the end of the text; nothing when there are none, when another
// character follows, or when the value passes `limit`.
std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base,
                                         std::uint64_t limit) noexcept
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::string> Find(const std::vector<std::string>& lines, std::string_view section,
                                std::string_view key)
{
    const auto range = FindSection(lines, section);
    const auto index = range ? FindKey(lines, *range, key) : std::nullopt;
    if (!index)
        return std::nullopt;
    const std::string& line = lines[*index];
    std::string_view value = Trim(std::string_view(line).substr(line.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void Store(std::vector<std::string>& lines, std::string_view section, std::string_view key,
           std::string_view value)
{
    const auto range = FindSection(lines, section);
    if (!range) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::string(key) + "=" + std::string(value));
        return;
    }
    if (const auto index = FindKey(lines, *range, key)) {
        std::string& line = lines[*index];
        line = std::string(Trim(std::string_view(line).substr(0, line.find('=')))) + "=" +
               std::string(value);
        return;
    }
    // After the section's last non-blank line, so that the blank line before the next section
    // stays where it is.
    std::size_t insert = range->end;
    while (insert > range->header + 1 && Trim(lines[insert - 1]).empty())
        --insert;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert),
                 std::string(key) + "=" + std::string(value));
}

std::optional<std::int32_t> ParseInteger(std::string_view text) noexcept
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::optional<std::int64_t> value;
    if (text.starts_with('$') || text.starts_with("0x") || text.starts_with("0X")) {
        // Eight hexadecimal digits fill the 32 bits, so $FFFFFFFF is -1.
        const auto bits = ParseDigits(text.substr(text.front() == '$' ? 1 : 2), 16, 0xFFFFFFFFu);
        if (bits)
            value = static_cast<std::int32_t>(static_cast<std::uint32_t>(*bits));
    } else if (const auto digits = ParseDigits(text, 10, std::uint64_t{1} << 31)) {
        value = static_cast<std::int64_t>(*digits);
    }
    if (!value)
        return std::nullopt;
    const std::int64_t signedValue = negative ? -*value : *value;
    if (signedValue < INT32_MIN || signedValue > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(signedValue);
}

} // namespace ProfileText
