// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

namespace {

// Any control byte or the blank separates items.
bool IsBlank(char byte) noexcept
{
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x01 && value <= 0x20;
}

std::size_t SkipBlanks(std::string_view text, std::size_t position) noexcept
{
    while (position < text.size() && IsBlank(text[position]))
        ++position;
    return position;
}

// A quoted item: runs to the next double quote that is not doubled; a doubled one stands for one.
// Returns the position after the closing quote (or the end of the string when it is missing).
std::size_t ReadQuotedItem(std::string_view text, std::size_t position, std::string& item)
{
    ++position; // the opening quote
    while (position < text.size()) {
        const char byte = text[position++];
        if (byte != '"') {
            item += byte;
        } else if (position < text.size() && text[position] == '"') {
            item += '"';
            ++position;
        } else {
            break;
        }
    }
    return position;
}

std::size_t ReadPlainItem(std::string_view text, std::size_t position, std::string& item)
{
    const std::size_t start = position;
    while (position < text.size() && !IsBlank(text[position]) && text[position] != ',')
        ++position;
    item.assign(text.substr(start, position - start));
    return position;
}

} // namespace

std::string MakeArgumentString(const std::vector<std::string>& arguments)
{
    std::string result;
    for (const std::string& argument : arguments) {
        if (!result.empty())
            result += ' ';
        result += '"';
        for (const char byte : argument) {
            if (byte == '"')
                result += '"';
            result += byte;
        }
        result += '"';
    }
    return result;
}

std::vector<std::string> SplitArguments(std::string_view argumentString)
{
    std::vector<std::string> items;
    std::size_t position = SkipBlanks(argumentString, 0);
    while (position < argumentString.size()) {
        std::string item;
        if (argumentString[position] == '"')
            position = ReadQuotedItem(argumentString, position, item);
        else
            position = ReadPlainItem(argumentString, position, item);
        items.push_back(std::move(item));
        position = SkipBlanks(argumentString, position);
        if (position < argumentString.size() && argumentString[position] == ',')
            position = SkipBlanks(argumentString, position + 1);
    }
    return items;
}
