// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The text as read, on any bytes: no fault, never longer than the text, and reading it again
// changes nothing.
#include "analysis/TextAsRead.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string once = TextAsRead(text);
    if (once.size() > text.size() || TextAsRead(once) != once ||
        (!MayHoldRubyOrNotes(text) && once != text))
        std::abort();
    return 0;
}
