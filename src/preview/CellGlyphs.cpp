// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CellGlyphs.h"

#include "VerticalGlyphs.h"
#include "analysis/Cp932Codec.h"

#include <QFont>
#include <QGlyphRun>
#include <QLineF>
#include <QList>
#include <QPainter>

#include <algorithm>

namespace {

bool Invisible(char16_t ch)
{
    return ch <= 0x20 || ch == u'\u3000' || QChar::isSurrogate(ch);
}

// Room left at each end of a hyphen stroke, of a cell, so that two runs stay apart.
constexpr double StrokeInset = 0.1;

bool IsHyphen(const CellPlacement& place)
{
    return place.Bytes == "-" && !place.Hanging;
}

// ― (0x815C), which a run draws as one stroke along the line however far apart its cells stand.
bool IsDash(const CellPlacement& place)
{
    return place.Bytes == "\x81\x5C" && !place.Hanging;
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

// The characters go out as two glyph runs, upright and turned, rather than one text drawing per
// character: a page turns within a frame even with a whole novel open.
void CellGlyphs::Draw(QPainter& painter, const std::vector<CellPlacement>& places, bool vertical,
                      int pixels, const std::function<QRectF(const CellPlacement&)>& box) const
{
    QFont font(FFamily);
    font.setPixelSize(std::max(1, pixels));
    if (FRawFont.pixelSize() != font.pixelSize() || !FRawFont.isValid())
        FRawFont = QRawFont::fromFont(font);
    painter.setFont(font);
    painter.setPen(Qt::black);
    GlyphList upright, turned, unseen, unseenTurned;
    QList<QLineF> strokes;
    const CellPlacement* previous = nullptr;
    std::u16string text;
    for (const CellPlacement& place : places) {
        const QRectF at = box(place);
        if (IsDash(place)) {
            // From the glyph's start in the first cell to its end in the last, through the middle
            // of the line; the glyph itself goes out unseen, so that the text can be read back.
            const bool more = previous != nullptr && IsDash(*previous) &&
                              previous->Line == place.Line && !strokes.isEmpty();
            const double half = pixels / 2.0;
            const QPointF centre = at.center();
            const QLineF stroke =
                vertical ? QLineF(centre.x(), centre.y() - half, centre.x(), centre.y() + half)
                         : QLineF(centre.x() - half, centre.y(), centre.x() + half, centre.y());
            if (more)
                strokes.back().setP2(stroke.p2());
            else
                strokes << stroke;
            previous = &place;
            PlaceGlyph(painter, u'\u2015', vertical, centre, unseen, unseenTurned);
            continue;
        }
        if (vertical && IsHyphen(place)) {
            // A line's centre, from the top of the run's first cell to the foot of its last.
            const double inset = StrokeInset * at.height() / place.Extent;
            const bool more = previous != nullptr && IsHyphen(*previous) &&
                              previous->Line == place.Line && !strokes.isEmpty();
            const double x = at.left() + at.width() * (place.Parts / 2.0 - place.Part);
            if (more)
                strokes.back().setP2(QPointF(strokes.back().x2(), at.bottom() - inset));
            else
                strokes << QLineF(x, at.top() + inset, x, at.bottom() - inset);
            previous = &place;
            continue;
        }
        previous = &place;
        text.clear();
        Cp932::Decode(place.Bytes, text);
        if (text.size() == 1 && !Invisible(text[0]))
            PlaceGlyph(painter, text[0], vertical, at.center(), upright, turned);
    }
    upright.Draw(painter, FRawFont, 0);
    turned.Draw(painter, FRawFont, 90);
    painter.save();
    painter.setPen(Qt::transparent);
    unseen.Draw(painter, FRawFont, 0);
    unseenTurned.Draw(painter, FRawFont, 90);
    painter.restore();
    if (!strokes.isEmpty()) {
        painter.save();
        painter.setPen(QPen(Qt::black, std::max(1.0, pixels * 0.06)));
        painter.drawLines(strokes);
        painter.restore();
    }
}

// One character centred at `centre`, as vertical writing wants it. A character the face lacks is
// drawn as text at once, so that the system finds it in another face.
void CellGlyphs::PlaceGlyph(QPainter& painter, char16_t ch, bool vertical, QPointF centre,
                            GlyphList& upright, GlyphList& turned) const
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
    const VerticalForm form = vertical ? VerticalFormOf(ch) : VerticalForm::Upright;
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
