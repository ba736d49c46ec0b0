// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's small pictures: one character in a rounded navy frame on a 32-unit square. The
// window's icon, the tool buttons without a stock picture and the installed icons all come from
// here.

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QFont;
class QIcon;
class QPainter;

namespace GlyphPicture {

inline constexpr int Side = 32;
inline const QString ProgramGlyph = QStringLiteral(u"言"); // the program's own picture
inline const QColor Ink = QColor(0, 0, 128);
inline constexpr QRectF Frame = QRectF(2, 2, 28, 28);
inline constexpr qreal FrameRadius = 5;
inline constexpr qreal FrameWidth = 2;

// The character's outline, centred in the square as a centred line of text would be.
QPainterPath GlyphOutline(const QString& glyph, const QFont& font);

// Paints the picture scaled to a square of `side` pixels.
void Paint(QPainter& painter, const QString& glyph, const QFont& font, int side);

// A small tool-button picture of the character.
QIcon Icon(const QString& glyph, const QFont& font);

} // namespace GlyphPicture
