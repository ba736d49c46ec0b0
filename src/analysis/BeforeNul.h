// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The writer's text ends at its first NUL byte: nothing after it is counted, searched or shown.

#include <cstring>
#include <string_view>

// The text up to its first NUL. An empty text is asked nothing (memchr takes no null pointer).
inline std::string_view BeforeNul(std::string_view text) noexcept
{
    if (text.empty())
        return text;
    const void* nul = std::memchr(text.data(), '\0', text.size());
    return nul == nullptr
               ? text
               : text.substr(0,
                             static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
}

inline bool HoldsNul(std::string_view text) noexcept
{
    return BeforeNul(text).size() != text.size();
}
