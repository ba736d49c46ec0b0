#include "SheetPainter.h"

#include "VerticalGlyphs.h"
#include "analysis/Cp932Codec.h"

#include <QFont>
#include <QGlyphRun>
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

bool Invisible(char16_t ch)
{
    return ch <= 0x20 || ch == u'\u3000' || QChar::isSurrogate(ch);
}

} // namespace

// Glyphs of one face and their places, drawn in one go.
class GlyphList
{
public:
    void Add(quint32 glyph, QPointF position)
    {
        FGlyphs.append(glyph);
        FPositions.append(position);
    }
    void Draw(QPainter& painter, const QRawFont& font, double rotation) const
    {
        if (FGlyphs.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes(FGlyphs);
        run.setPositions(FPositions);
        painter.save();
        painter.rotate(rotation);
        painter.drawGlyphRun(QPointF(), run);
        painter.restore();
    }

private:
    QList<quint32> FGlyphs;
    QList<QPointF> FPositions;
};

SheetPainter::SheetPainter(const ManuscriptLayout& layout, SheetStyle style)
    : FLayout(layout), FStyle(std::move(style)), FColumn(layout.Column()),
      FLines(layout.LinesPerSheet()), FFold(FLines % 2 == 0)
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

// Along the line a double-byte character takes a cell (it may start half-way into one); two
// half-width characters stand side by side in one cell.
QRectF SheetPainter::CharacterBox(const CellPlacement& place) const
{
    const bool half = !place.DoubleByte && !place.Hanging;
    const double along = place.Hanging ? FColumn : half ? place.Unit / 2 : place.Unit / 2.0;
    QRectF box = CellRect(place.Line, along);
    if (half) {
        box.setWidth(0.5);
        box.moveLeft(box.left() + 0.5 * static_cast<double>(place.Unit % 2));
    }
    return box;
}

void SheetPainter::Paint(QPainter& painter, const QRectF& target, std::int32_t sheet) const
{
    PaintPaper(painter, target);
    PaintText(painter, target, sheet);
}

// The scale from cells to the target's units, and the painter moved to the sheet's corner.
double SheetPainter::FitInto(QPainter& painter, const QRectF& target) const
{
    const double scale = std::min(target.width() / FSize.width(), target.height() / FSize.height());
    const QSizeF size = FSize * scale;
    painter.translate(target.center() - QPointF(size.width(), size.height()) / 2);
    return scale;
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

// The characters go out as two glyph runs, upright and turned, rather than one text drawing per
// character: a sheet turns within a frame even with a whole novel open.
void SheetPainter::PaintCharacters(QPainter& painter, double scale, std::int32_t sheet) const
{
    QFont font(FStyle.Family);
    font.setPixelSize(std::max(1, static_cast<int>(scale * GlyphSize)));
    if (FRawFont.pixelSize() != font.pixelSize() || !FRawFont.isValid())
        FRawFont = QRawFont::fromFont(font);
    painter.setFont(font);
    painter.setPen(Qt::black);
    GlyphList upright, turned;
    std::u16string text;
    for (const CellPlacement& place : FLayout.Sheet(sheet)) {
        text.clear();
        Cp932::Decode(place.Bytes, text);
        if (text.size() == 1 && !Invisible(text[0]))
            PlaceGlyph(painter, text[0], CharacterBox(place).center() * scale, upright, turned);
    }
    upright.Draw(painter, FRawFont, 0);
    turned.Draw(painter, FRawFont, 90);
    PaintSheetNumber(painter, scale, sheet);
}

// One character centred at `centre`, as vertical writing wants it. A character the face lacks is
// drawn as text at once, so that the system finds it in another face.
void SheetPainter::PlaceGlyph(QPainter& painter, char16_t ch, QPointF centre, GlyphList& upright,
                              GlyphList& turned) const
{
    const double em = FRawFont.pixelSize();
    const double rise = (FRawFont.ascent() - FRawFont.descent()) / 2; // baseline below centre
    const QChar character(ch);
    quint32 glyph = 0;
    int glyphs = 1;
    if (!FRawFont.glyphIndexesForChars(&character, 1, &glyph, &glyphs) || glyph == 0) {
        painter.drawText(centre + QPointF(-em / 4, rise), character);
        return;
    }
    QPointF advance;
    FRawFont.advancesForGlyphIndexes(&glyph, &advance, 1);
    const VerticalForm form = FStyle.Vertical ? VerticalFormOf(ch) : VerticalForm::Upright;
    if (form == VerticalForm::Turned) {
        // Drawn with the painter turned a quarter clockwise: (x, y) there is (-y, x) here.
        turned.Add(glyph, QPointF(centre.y(), -centre.x()) + QPointF(-advance.x() / 2, rise));
        return;
    }
    QPointF shift;
    if (form == VerticalForm::UpperRight)
        shift = QPointF(0.6 * em, -0.6 * em);
    else if (form == VerticalForm::SmallKana)
        shift = QPointF(0.1 * em, -0.1 * em);
    upright.Add(glyph, centre + shift + QPointF(-advance.x() / 2, rise));
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
