// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetPainter.h"

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPainter>

#include <algorithm>

namespace {

// Proportions in cells: the white margin, the gap between two lines (room for ruby), the fold
// band, and the room below the last cell for a hung closing mark.
constexpr double Margin = 1.2;
constexpr double Gap = 0.25;
constexpr double Fold = 1.6;
constexpr double Hang = 1.0;
constexpr double GlyphSize = 0.8; // of a cell

// A grid finer than this many cells per side is drawn as its frame only.
constexpr std::int32_t MostCellsDrawn = 2000;

} // namespace

SheetPainter::SheetPainter(const ManuscriptLayout& layout, SheetStyle style)
    : FLayout(layout), FStyle(std::move(style)), FColumn(layout.Column()),
      FLines(layout.LinesPerSheet()), FFold(FLines % 2 == 0), FGlyphs(FStyle.Family)
{
    const double across = 2 * Margin + FLines + (FLines - 1) * Gap + (FFold ? Fold - Gap : 0);
    const double along = 2 * Margin + static_cast<double>(FColumn) + Hang;
    FSize = FStyle.Vertical ? QSizeF(across, along) : QSizeF(along, across);
}

// Distance of a line from the first one, the fold band included.
double SheetPainter::LineOffset(std::int32_t line) const
{
    return line * (1 + Gap) + (FFold && line >= FLines / 2 ? Fold - Gap : 0);
}

// A cell of a line; `cell` may be fractional (a straddling character) or the hang space.
QRectF SheetPainter::CellRect(std::int32_t line, double cell) const
{
    if (FStyle.Vertical)
        return {FSize.width() - Margin - LineOffset(line) - 1, Margin + cell, 1, 1};
    return {Margin + cell, Margin + LineOffset(line), 1, 1};
}

// Along the line every character has a cell of its own, or shares one with another half-width
// character: side by side along a horizontal line, side by side across a vertical one.
QRectF SheetPainter::CharacterBox(const CellPlacement& place) const
{
    QRectF box = CellRect(place.Line, place.Cell);
    const double share = 1.0 / place.Parts;
    if (FStyle.Vertical) {
        box.setHeight(place.Extent);
        box.setWidth(share);
        box.moveLeft(box.left() + share * place.Part);
    } else {
        box.setWidth(place.Extent * share);
        box.moveLeft(box.left() + place.Extent * share * place.Part);
    }
    return box;
}

void SheetPainter::PaintPaper(QPainter& painter, const QRectF& target) const
{
    painter.save();
    const double scale = FitInto(painter, target);
    painter.fillRect(QRectF(QPointF(), FSize * scale), Qt::white);
    PaintGrid(painter, scale);
    painter.restore();
}

void SheetPainter::PaintText(QPainter& painter, const QRectF& target, std::int32_t sheet) const
{
    painter.save();
    const double scale = FitInto(painter, target);
    if (scale * GlyphSize >= 1)
        PaintCharacters(painter, scale, sheet);
    painter.restore();
}

void SheetPainter::PaintGrid(QPainter& painter, double scale) const
{
    const QRectF first = CellRect(0, 0);
    const QRectF last = CellRect(FLines - 1, FColumn - 1);
    const QRectF frame = first.united(last);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ManuscriptGreen, std::max(1.5, scale * 0.06)));
    const auto scaled = [scale](const QRectF& r) {
        return QRectF(r.topLeft() * scale, r.size() * scale);
    };
    painter.drawRect(scaled(frame.adjusted(-Gap, -Gap, Gap, Gap)));
    if (FLines > MostCellsDrawn || FColumn > MostCellsDrawn)
        return;

    QList<QLineF> lines;
    lines.reserve(static_cast<qsizetype>(FLines) * (FColumn + 3));
    for (std::int32_t line = 0; line < FLines; ++line) {
        const QRectF strip = scaled(CellRect(line, 0).united(CellRect(line, FColumn - 1)));
        lines << QLineF(strip.topLeft(), strip.topRight())
              << QLineF(strip.bottomLeft(), strip.bottomRight())
              << QLineF(strip.topLeft(), strip.bottomLeft())
              << QLineF(strip.topRight(), strip.bottomRight());
        for (std::int32_t cell = 1; cell < FColumn; ++cell) {
            const QRectF r = scaled(CellRect(line, cell));
            lines << (FStyle.Vertical ? QLineF(r.topLeft(), r.topRight())
                                      : QLineF(r.topLeft(), r.bottomLeft()));
        }
    }
    painter.setPen(QPen(ManuscriptGreen.lighter(130), std::max(0.5, scale * 0.025)));
    painter.drawLines(lines);

    if (FFold) {
        // The fold band: where the sheet is folded, marked by a small fishtail at its head.
        const QRectF before = scaled(CellRect(FLines / 2 - 1, 0));
        const QRectF after = scaled(CellRect(FLines / 2, 0));
        const QRectF band =
            FStyle.Vertical
                ? QRectF(after.right(), before.top(), before.left() - after.right(), 0)
                : QRectF(before.left(), before.bottom(), 0, after.top() - before.bottom());
        const double w = (FStyle.Vertical ? band.width() : band.height()) * 0.6;
        const QPointF head = FStyle.Vertical ? QPointF(band.center().x(), band.top() + w)
                                             : QPointF(band.left() + w, band.center().y());
        QPolygonF fishtail;
        if (FStyle.Vertical)
            fishtail << head + QPointF(-w / 2, -w / 2) << head + QPointF(w / 2, -w / 2) << head;
        else
            fishtail << head + QPointF(-w / 2, -w / 2) << head + QPointF(-w / 2, w / 2) << head;
        painter.setBrush(ManuscriptGreen);
        painter.setPen(Qt::NoPen);
        painter.drawPolygon(fishtail);
    }
}

void SheetPainter::PaintCharacters(QPainter& painter, double scale, std::int32_t sheet) const
{
    FGlyphs.Draw(painter, FLayout.Sheet(sheet), FStyle.Vertical,
                 static_cast<int>(scale * GlyphSize), [this, scale](const CellPlacement& place) {
                     const QRectF box = CharacterBox(place);
                     return QRectF(box.topLeft() * scale, box.size() * scale);
                 });
    PaintSheetNumber(painter, scale, sheet);
}

// The sheet's number in the lower margin, as a writer numbers the pages.
void SheetPainter::PaintSheetNumber(QPainter& painter, double scale, std::int32_t sheet) const
{
    QFont small(FStyle.Family);
    small.setPixelSize(std::max(1, static_cast<int>(scale * 0.45)));
    painter.setFont(small);
    painter.setPen(ManuscriptGreen);
    const QRectF foot(0, (FSize.height() - Margin * 0.8) * scale, FSize.width() * scale,
                      Margin * 0.6 * scale);
    painter.drawText(foot, Qt::AlignCenter,
                     QStringLiteral("%1 / %2").arg(sheet + 1).arg(FLayout.SheetCount()));
}
