// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Both width conversions of any bytes: double-byte characters pass unchanged, and no byte turns
// into more than two.
#include "paper/DoubleByteConversion.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string all = ConvertToDoubleBytes(text);
    const std::string kana = ConvertKanaToDoubleBytes(text);
    if (all.size() > 2 * size || kana.size() > 2 * size || all.size() < kana.size())
        std::abort();
    return 0;
}
