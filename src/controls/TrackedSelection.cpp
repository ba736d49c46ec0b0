// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrackedSelection.h"

#include <QTextDocument>

#include <algorithm>

namespace {

// A place after a change of `removed` characters at `from` into `added`: before it, unmoved;
// inside what went, at its start; at or after its end, moved by the difference; a place at the
// change itself goes after what came in, as typing leaves the caret.
int Moved(int place, int from, int removed, int added)
{
    if (place < from)
        return place;
    if (place < from + removed)
        return from + added;
    return place + added - removed;
}

} // namespace

TrackedSelection::TrackedSelection(QTextDocument& document, QObject* parent)
    : QObject(parent), FDocument(document)
{
    connect(&document, &QTextDocument::contentsChange, this, &TrackedSelection::Follow);
}

int TrackedSelection::Clamp(int position) const
{
    // The last place is before the document's closing paragraph mark, as for a cursor.
    return std::clamp(position, 0, std::max(FDocument.characterCount() - 1, 0));
}

void TrackedSelection::MoveTo(int position, bool keepAnchor)
{
    FPosition = Clamp(position);
    if (!keepAnchor)
        FAnchor = FPosition;
}

void TrackedSelection::Follow(int from, int removed, int added)
{
    FPosition = Clamp(Moved(FPosition, from, removed, added));
    FAnchor = Clamp(Moved(FAnchor, from, removed, added));
}
