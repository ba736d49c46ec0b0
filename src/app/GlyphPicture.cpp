// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphPicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QIcon>
#include <QPainter>

namespace GlyphPicture {

QPainterPath GlyphOutline(const QString& glyph, const QFont& font)
{
    QFont glyphFont = font;
    glyphFont.setPixelSize(20);
    const QFontMetricsF metrics(glyphFont);
    const QPointF baseline((Side - metrics.horizontalAdvance(glyph)) / 2,
                           (Side - metrics.height()) / 2 + metrics.ascent());
    QPainterPath outline;
    outline.addText(baseline, glyphFont, glyph);
    return outline;
}

void Paint(QPainter& painter, const QString& glyph, const QFont& font, int side)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / qreal(Side), side / qreal(Side));
    painter.setPen(QPen(Ink, FrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(Frame, FrameRadius, FrameRadius);
    painter.fillPath(GlyphOutline(glyph, font), Ink);
    painter.restore();
}

QIcon Icon(const QString& glyph, const QFont& font)
{
    QPixmap pixmap(Side, Side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    Paint(painter, glyph, font, Side);
    return QIcon(pixmap);
}

} // namespace GlyphPicture
