// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WrappingLayout.h"

#include <QFontMetrics>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <climits>

WrappingLayout::WrappingLayout(QTextDocument* document) : QPlainTextDocumentLayout(document)
{
    FBlockCount = document->blockCount();
}

bool WrappingLayout::Wraps() const
{
    return document()->defaultTextOption().wrapMode() != QTextOption::NoWrap;
}

QRectF WrappingLayout::blockBoundingRect(const QTextBlock& block) const
{
    EnsureLaidOut(block);
    return QPlainTextDocumentLayout::blockBoundingRect(block);
}

void WrappingLayout::EnsureLaidOut(const QTextBlock& block) const
{
    if (!block.isValid() || block.layout()->lineCount() > 0)
        return;
    // A text layout forgets its shaped glyphs once laid out, and shapes the whole paragraph again
    // for the caret and for each paint: a long paragraph keeps them.
    if (block.length() > LongParagraph)
        block.layout()->setCacheEnabled(true);
    if (Wraps())
        const_cast<WrappingLayout*>(this)->LayOut(block);
    else
        ensureBlockLayout(block);
}

// The paragraph's lines one under the other at the document's margin, each as wide as the text
// area leaves them, as the plain-text editor places them.
void WrappingLayout::LayOut(const QTextBlock& block)
{
    QTextDocument* text = document();
    const qreal margin = text->documentMargin();
    QTextLayout* lines = block.layout();
    const QTextOption option = text->defaultTextOption();
    lines->setTextOption(option);
    // The plain-text layout's frame is as wide as the text area it was given; wider only when a
    // line is, which with wrapping on (no line laid out here raises it) it never is.
    const qreal width = frameBoundingRect(text->rootFrame()).width();
    qreal room = width > 0 ? width : qreal(INT_MAX);
    room -= 2 * margin;
    if (option.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators)
        room -= QFontMetrics(block.charFormat().font()).horizontalAdvance(QChar(0x21B5));
    qreal height = 0;
    lines->beginLayout();
    for (QTextLine line = lines->createLine(); line.isValid(); line = lines->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(room);
        line.setPosition(QPointF(margin, height));
        height += line.height();
        if (line.leading() < 0)
            height += qCeil(line.leading());
    }
    lines->endLayout();
    const int before = text->lineCount();
    const_cast<QTextBlock&>(block).setLineCount(block.isVisible() ? lines->lineCount() : 0);
    if (text->lineCount() != before)
        emit documentSizeChanged(documentSize());
}

// An edit inside one paragraph lays out that paragraph alone; whatever adds or removes
// paragraphs is left to the plain-text layout, which only forgets the layouts it touched.
void WrappingLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    QTextDocument* text = document();
    const int blocks = std::exchange(FBlockCount, text->blockCount());
    const QTextBlock block = text->findBlock(from);
    const bool inOneBlock =
        blocks == FBlockCount &&
        block == text->findBlock(std::max(0, from + charsRemoved + charsAdded - 1));
    if (!Wraps() || !inOneBlock || !block.isValid() || block.length() == 0) {
        QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
        return;
    }
    const qreal heightBefore = blockBoundingRect(block).height();
    LayOut(block);
    if (blockBoundingRect(block).height() == heightBefore)
        emit updateBlock(block);
    else
        requestUpdate();
}
