// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A paged picture of a text, on screen, in PDF or on paper: the manuscript sheets or the
// submission pages. Each page is drawn in two layers, so that the screen keeps the blank page and
// draws only the characters when the page turns.

#include <QRectF>
#include <QSizeF>

#include <cstdint>

class QPainter;

class PagePainter
{
public:
    virtual ~PagePainter() = default;

    // The page's shape (in units of the painter's own choosing).
    virtual QSizeF PageShape() const = 0;
    virtual std::int32_t PageCount() const = 0;

    // The blank page, the same for every page, and the characters of page `page`, each fitted into
    // `target` (the page's shape kept, centred).
    virtual void PaintPaper(QPainter& painter, const QRectF& target) const = 0;
    virtual void PaintText(QPainter& painter, const QRectF& target, std::int32_t page) const = 0;

    void Paint(QPainter& painter, const QRectF& target, std::int32_t page) const
    {
        PaintPaper(painter, target);
        PaintText(painter, target, page);
    }

protected:
    // The scale from the page's units to the target's, and the painter moved to the page's corner.
    double FitInto(QPainter& painter, const QRectF& target) const;
};
