// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextSnapshot.h"

#include "QtShiftJis.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

bool TextSnapshot::CopyMore(const QTextDocument& text, std::chrono::microseconds budget)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + budget;
    QTextBlock block = FLines.empty() ? text.firstBlock()
                                      : text.findBlockByNumber(static_cast<int>(FLines.size()));
    for (int n = 1; block.isValid(); block = block.next(), ++n) {
        if (const auto* kept = dynamic_cast<const QtShiftJis::OriginalBytes*>(block.userData()))
            FKept.emplace_back(static_cast<int>(FLines.size()), kept->Bytes);
        FLines.push_back(block.text());
        if (n % 256 == 0 && Clock::now() >= until)
            return !block.next().isValid();
    }
    return true;
}

void TextSnapshot::Changed(const QTextDocument& text, int position)
{
    QTextBlock block = text.findBlock(position);
    if (!block.isValid())
        block = text.lastBlock();
    const auto first = static_cast<std::size_t>(std::max(0, block.blockNumber()));
    if (first >= FLines.size())
        return;
    FLines.resize(first);
    std::erase_if(
        FKept, [first](const auto& kept) { return static_cast<std::size_t>(kept.first) >= first; });
}

std::u16string TextSnapshot::Text() const
{
    std::size_t size = 0;
    for (const QString& line : FLines)
        size += static_cast<std::size_t>(line.size()) + 1;
    std::u16string text;
    text.reserve(size);
    for (std::size_t line = 0; line < FLines.size(); ++line) {
        if (line > 0)
            text += u'\n';
        text += QtShiftJis::View(FLines[line]);
    }
    return text;
}
