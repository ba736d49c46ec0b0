// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The chapters of any bytes: no fault, chapters in text order inside the text, and the chapters
// that no other holds add up to the whole text's characters. The bytes are loaded as every loader
// loads them: cut at a NUL, and every line followed by CR LF, so that no lead byte takes a line
// feed for its trail byte.
#include "paper/ChapterTable.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const char*>(data);
    const void* nul = std::memchr(bytes, 0, size);
    const std::string_view raw(
        bytes, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size);
    std::string text;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\r' && raw[i] != '\n') {
            text += raw[i];
            continue;
        }
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            ++i;
        text += "\r\n";
    }
    CountOptions options;
    options.excludeRuby = size % 2 == 1;
    const auto chapters = CountChapters(text, HeadingRules(), options, TPaper());
    std::vector<ChapterSpan> spans;
    for (const ChapterFigures& chapter : chapters)
        spans.push_back(chapter.span);
    const auto parents = ParentsOf(spans);
    std::int64_t characters = 0;
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        if (chapters[i].span.firstLine >= chapters[i].span.endLine ||
            (i > 0 && chapters[i].span.firstLine <= chapters[i - 1].span.firstLine))
            std::abort();
        if (parents[i] == NoParent)
            characters += chapters[i].characters;
    }
    if (characters != CountText(text, options).characters)
        std::abort();
    return 0;
}
