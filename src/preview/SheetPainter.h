// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws one sheet of manuscript paper with its characters: the green grid of Column cells by
// Line lines, the fold band between the two halves of a sheet with an even number of lines, and
// the space below (or, written horizontally, beside) the last cell where a closing mark hangs.

#include "CellGlyphs.h"
#include "PagePainter.h"
#include "paper/ManuscriptLayout.h"

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPainter;

struct SheetStyle
{
    bool Vertical = true; // 縦書き: lines top to bottom, right to left
    QString Family;       // the face of the characters
};

class SheetPainter : public PagePainter
{
public:
    SheetPainter(const ManuscriptLayout& layout, SheetStyle style);

    // The sheet's size in cells, margins included: its shape on the page or the screen.
    QSizeF PageShape() const override { return FSize; }
    std::int32_t PageCount() const override { return FLayout.SheetCount(); }

    void PaintPaper(QPainter& painter, const QRectF& target) const override;
    void PaintText(QPainter& painter, const QRectF& target, std::int32_t sheet) const override;

private:
    QRectF CellRect(std::int32_t line, double cell) const; // in cells
    double LineOffset(std::int32_t line) const;
    QRectF CharacterBox(const CellPlacement& place) const; // in cells
    void PaintGrid(QPainter& painter, double scale) const;
    void PaintCharacters(QPainter& painter, double scale, std::int32_t sheet) const;
    void PaintSheetNumber(QPainter& painter, double scale, std::int32_t sheet) const;

    const ManuscriptLayout& FLayout;
    SheetStyle FStyle;
    std::int32_t FColumn;
    std::int32_t FLines;
    bool FFold; // an even number of lines: a fold band in the middle
    QSizeF FSize;
    CellGlyphs FGlyphs;
};

// The traditional green of manuscript paper.
inline const QColor ManuscriptGreen(38, 140, 82);
