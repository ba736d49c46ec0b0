// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditFigures.h"

#include <algorithm>

std::int64_t LoggedCharacters(QStringView text) noexcept
{
    std::int64_t characters = 0;
    for (const QChar c : text)
        if (c != QLatin1Char('\n') && c != QChar::ParagraphSeparator && !c.isLowSurrogate())
            ++characters;
    return characters;
}

EditFigures ReplacementFigures(QStringView before, QStringView after) noexcept
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    // A surrogate pair is shared whole or not at all.
    if (head > 0 && before[head - 1].isHighSurrogate())
        --head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (tail > 0 && before[before.size() - tail].isLowSurrogate())
        --tail;
    return {LoggedCharacters(after.sliced(head, after.size() - head - tail)),
            LoggedCharacters(before.sliced(head, before.size() - head - tail))};
}
