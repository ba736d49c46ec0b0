// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout of a document shown by the coming editor view, which lays out only the rows in view
// itself: it lays out nothing, so that an edit costs the document no paragraph layout. A document
// tells its changes (contentsChange) only while it has a layout.

#include <QAbstractTextDocumentLayout>

class NullDocumentLayout : public QAbstractTextDocumentLayout
{
    Q_OBJECT

public:
    explicit NullDocumentLayout(QTextDocument* document);

    void draw(QPainter*, const PaintContext&) override {}
    int hitTest(const QPointF&, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame*) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock&) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};
