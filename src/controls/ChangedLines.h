// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines an edit touched, for whatever keeps something per line of a QTextDocument and follows
// its contentsChange: the blocks from the one the change begins in to the one it ends in stand
// where the same first block and `replaced` lines stood before.

#include <QTextBlock>
#include <QTextDocument>

#include <cstddef>

struct ChangedLines
{
    QTextBlock first;
    QTextBlock last;
    int firstNumber = 0;
    int replaced = 0; // lines held before, from firstNumber on, that the blocks first..last replace
    bool fits = false; // false: the lines held do not match the change; keep them anew

    // `heldLines`: how many lines the follower held before the change.
    static ChangedLines Of(const QTextDocument& document, int position, int added,
                           std::size_t heldLines)
    {
        ChangedLines change;
        change.first = document.findBlock(position);
        change.last = document.findBlock(position + added);
        if (!change.last.isValid())
            change.last = document.lastBlock();
        if (!change.first.isValid())
            return change;
        const int held = static_cast<int>(heldLines);
        change.firstNumber = change.first.blockNumber();
        const int oldLast = change.last.blockNumber() - (document.blockCount() - held);
        change.replaced = oldLast - change.firstNumber + 1;
        change.fits = oldLast >= change.firstNumber - 1 && oldLast < held;
        return change;
    }
};
