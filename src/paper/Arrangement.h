// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Laying a text out as manuscript lines: the engine behind TPaper::Arrange and TPaper::Count.

#include <cstdint>
#include <string>
#include <string_view>

class TPaper;

struct ArrangedText
{
    std::string Text;            // manuscript lines joined by CR LF, none at either end
    std::int64_t LineBreaks = 0; // CR LF pairs in Text, as a character walk finds them
};

// A Column of 0 or below (only a hand-edited settings file can hold one) is taken as 1 cell.
// With writeText false only LineBreaks is worked out, and Text stays empty.
ArrangedText ArrangeManuscript(const TPaper& paper, std::string_view text, bool writeText = true);
