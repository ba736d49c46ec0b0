// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test texts are written in UTF-8 and turned into the Shift-JIS bytes the program works on.

#include "analysis/Cp932Codec.h"

#include <string>
#include <string_view>

inline std::string Sjis(std::string_view utf8)
{
    std::string out;
    Cp932::EncodeFromUtf8(utf8, out);
    return out;
}

inline std::string Sjis(std::u8string_view utf8)
{
    return Sjis(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}
