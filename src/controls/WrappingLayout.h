// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout of an editor's document. With wrapping off it is the plain-text editor's own. With
// wrapping on it lays each paragraph out itself, in the same way, but keeps no widest line: the
// plain-text layout, whenever the paragraph that was the widest narrows, measures every laid-out
// line of the text again to find the next widest, which a key in a long novel paid for, while a
// wrapped text has no horizontal scroll bar that would need it.

#include <QPlainTextDocumentLayout>
#include <QTextBlock>

class WrappingLayout : public QPlainTextDocumentLayout
{
    Q_OBJECT

public:
    explicit WrappingLayout(QTextDocument* document);

    QRectF blockBoundingRect(const QTextBlock& block) const override;
    // Lays the paragraph out if it is not yet.
    void EnsureLaidOut(const QTextBlock& block) const;

    // Characters from which a paragraph keeps its shaped glyphs between layouts and paints.
    static constexpr int LongParagraph = 4096;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    bool Wraps() const;
    void LayOut(const QTextBlock& block);

    int FBlockCount = 1; // the paragraphs before the change being told
};
