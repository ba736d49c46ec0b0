// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The counting form of UTF-8 text made straight from its bytes, in room of its own: the way a
// novel in UTF-8 takes to the companion's counts.

#include "shell/TextBytes.h"

#include <cstddef>
#include <optional>
#include <string_view>

struct Utf8CountingForm
{
    TextBytes form;          // every line ending in CR LF
    std::size_t missing = 0; // characters that took the geta mark
};

// The form of UTF-8 text (without its mark) whose every line break is CR LF and which has no NUL;
// nothing for any other text, or when no room can be had. A long text is made in two halves at
// once, which meet at a line start.
std::optional<Utf8CountingForm> MakeUtf8CountingForm(std::string_view utf8);
