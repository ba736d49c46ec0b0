// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The caret and the anchor of the coming editor view, kept as plain positions in the document and
// moved by every change of its text (typing, pastes, replace-all, undo and redo) as a text cursor
// would be moved, but without a text cursor: a cursor works out its x position from the layout of
// its whole paragraph, which the view never makes.

#include <QObject>

class QTextDocument;

class TrackedSelection : public QObject
{
    Q_OBJECT

public:
    explicit TrackedSelection(QTextDocument& document, QObject* parent = nullptr);

    int Position() const { return FPosition; }
    int Anchor() const { return FAnchor; }
    bool HasSelection() const { return FPosition != FAnchor; }
    int SelectionStart() const { return std::min(FPosition, FAnchor); }
    int SelectionEnd() const { return std::max(FPosition, FAnchor); }

    // Puts the caret at `position`, keeping the anchor where it is when `keepAnchor` (Shift),
    // else with it; both within the document.
    void MoveTo(int position, bool keepAnchor = false);

private:
    void Follow(int from, int removed, int added);
    int Clamp(int position) const;

    QTextDocument& FDocument;
    int FPosition = 0;
    int FAnchor = 0;
};
