// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Rows of any UTF-16 text (unpaired surrogates, marks, controls included) at any width: they start
// at 0 and ascend inside the text, and a re-break after an edit equals breaking the new text.
#include "paper/TPaper.h"
#include "rows/RowBreaker.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<double> Advances(std::u16string_view text, unsigned seed)
{
    std::vector<double> advances;
    for (const char16_t unit : text)
        advances.push_back(static_cast<double>((unit + seed) % 5) / 2); // 0 to 2, zeros too
    return advances;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const RowBreaker breaker = RowBreaker::ForPaper(TPaper());
    if (size < 4)
        return 0;
    // Width, edit place, removed and added counts, then the text and what the edit puts in.
    const double width = data[0] / 8.0;
    std::u16string text((size - 4) / 2, u'\0');
    std::memcpy(text.data(), data + 4, text.size() * 2);
    const auto cut = static_cast<std::int32_t>(text.size() * data[3] / 256);
    const std::u16string put = text.substr(cut);
    text.resize(cut);
    const std::vector<double> before = Advances(text, data[0]);
    const RowStarts rows = breaker.Break(text, before, width);
    if (rows.empty() || rows.front() != 0)
        std::abort();
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i] <= rows[i - 1] || rows[i] >= static_cast<std::int32_t>(text.size()))
            std::abort();
    const auto at = static_cast<std::int32_t>(text.empty() ? 0 : data[1] % (text.size() + 1));
    const auto removed =
        static_cast<std::int32_t>(std::min<std::size_t>(data[2] % 8, text.size() - at));
    std::u16string after = text;
    after.replace(at, removed, put);
    const std::vector<double> advances = Advances(after, data[0]);
    if (breaker.Rebreak(after, advances, width, rows, at, removed,
                        static_cast<std::int32_t>(put.size())) !=
        breaker.Break(after, advances, width))
        std::abort();
    return 0;
}
