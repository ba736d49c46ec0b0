// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GraphicsFunc.h"

#include "analysis/CharacterArea.h"
#include "analysis/Cp932Codec.h"
#include "shell/Exceptions.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QString>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace GraphicsFunc {
namespace {

// Characters that take no room when a line is drawn: tab, vertical tab, CR, LF.
std::string WithoutControls(std::string_view line)
{
    return RemoveCharacters(line, {0x09, 0x0B, 0x0D, 0x0A});
}

// Makes sure `canvas` holds a width x height box; fails for a box beyond the bound.
void EnsureCanvas(QImage& canvas, int width, int height)
{
    if (canvas.width() >= width && canvas.height() >= height && !canvas.isNull())
        return;
    const int newWidth = std::max(width, canvas.isNull() ? 0 : canvas.width());
    const int newHeight = std::max(height, canvas.isNull() ? 0 : canvas.height());
    const std::int64_t bytes = std::int64_t{newWidth} * newHeight * 4;
    if (bytes > MaximumLineImageBytes)
        throw Exception("1行の長さが長すぎます。");
    canvas = QImage(); // the old surface goes before the larger one is made
    canvas = QImage(newWidth, newHeight, QImage::Format_RGB32);
    if (canvas.isNull())
        throw Exception("1行の長さが長すぎます。");
}

std::int64_t CountInk(const QImage& canvas, int width, int height)
{
    std::int64_t ink = 0;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < width; ++x)
            ink += (row[x] & 0xFFu) == 0 ? 1 : 0; // the blue byte
    }
    return ink;
}

// The size from which the painter draws glyphs as outlines rather than from their bitmaps.
constexpr int LargestStampedGlyph = 64;

// Makes sure the line's box is within the bound on a drawing surface, drawn or not.
void CheckBox(int width, int height)
{
    if (std::int64_t{width} * height * 4 > MaximumLineImageBytes)
        throw Exception("1行の長さが長すぎます。");
}

std::int64_t DrawLine(const QTextLayout& layout, QPointF origin, int width, int height,
                      QImage& canvas)
{
    EnsureCanvas(canvas, width, height);
    QPainter painter;
    if (!painter.begin(&canvas))
        throw Exception("Cannot draw text");
    painter.setClipRect(0, 0, width, height);
    painter.fillRect(0, 0, width, height, Qt::white);
    painter.setPen(Qt::black);
    layout.draw(&painter, origin);
    painter.end();
    return CountInk(canvas, width, height);
}

// Lays `ink` over the line's pixels with its origin's whole pixel at (x, y), clipped to the box.
void Stamp(const GlyphInk& ink, int x, int y, int width, int height, std::uint8_t* inked)
{
    const int left = std::max(0, x + ink.left);
    const int right = std::min(width, x + ink.left + ink.width);
    const int top = std::max(0, y + ink.top);
    const int bottom = std::min(height, y + ink.top + ink.height);
    for (int row = top; row < bottom; ++row) {
        const std::uint8_t* from =
            ink.inked.data() + static_cast<std::size_t>(row - y - ink.top) * ink.width;
        std::uint8_t* to = inked + static_cast<std::size_t>(row) * width;
        for (int column = left; column < right; ++column)
            to[column] |= from[column - x - ink.left];
    }
}

// The line's pixels as the union of its glyphs' ink: without anti-aliasing a glyph inks a pixel
// or leaves it, whatever else is drawn there, so overlapping glyphs come out as drawn.
std::int64_t PutTogether(const QTextLayout& layout, QPointF origin, int width, int height,
                         AreaCanvas& canvas)
{
    canvas.inked.assign(static_cast<std::size_t>(width) * height, 0);
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const PlacedInk placed = canvas.glyphs.Ink(font, glyphs[i], positions[i] + origin);
            Stamp(placed.ink, placed.x, placed.y, width, height, canvas.inked.data());
        }
    }
    return std::count(canvas.inked.begin(), canvas.inked.end(), std::uint8_t{1});
}

std::int64_t DrawAndCount(const QString& text, std::int64_t& area, const QFont& font,
                          AreaCanvas& canvas)
{
    if (text.isEmpty())
        return 0;
    // Shaped once for the width and the glyphs: shaping is most of a line's cost.
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    layout.endLayout();
    textLine.setPosition(QPointF(0, 0));
    const QFontMetrics metrics(font);
    // The advance of the whole line, trailing blanks included, rounded as QFontMetrics does.
    const int width = qRound(textLine.horizontalAdvance());
    const int height = metrics.height();
    if (width <= 0 || height <= 0)
        return 0;
    CheckBox(width, height);
    const QPointF origin(0, metrics.ascent() - textLine.ascent());
    // Glyphs come out as a union of their own ink only when each pixel is ink or paper and the
    // painter stamps each glyph's bitmap; from 64 pixels on it fills the line's outlines, whose
    // edges fall a pixel differently than one glyph's alone. A font's underline or strike-out is
    // no glyph's.
    const bool drawLine = (font.styleStrategy() & QFont::NoAntialias) == 0 ||
                          QFontInfo(font).pixelSize() >= LargestStampedGlyph || font.underline() ||
                          font.strikeOut() || font.overline();
    const std::int64_t covered = drawLine ? DrawLine(layout, origin, width, height, canvas.surface)
                                          : PutTogether(layout, origin, width, height, canvas);
    area = std::int64_t{width} * height;
    return covered;
}

} // namespace

QFont MeasuringFont(const QFont& editorFont)
{
    QFont font(editorFont.family());
    font.setPixelSize(std::max(1, QFontInfo(editorFont).pixelSize()));
    font.setWeight(editorFont.bold() ? QFont::Bold : QFont::Normal);
    font.setItalic(editorFont.italic());
    font.setUnderline(editorFont.underline());
    font.setStrikeOut(editorFont.strikeOut());
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

std::int64_t GetStringArea(std::string_view line, std::int64_t& area, const QFont& font,
                           AreaCanvas& canvas)
{
    const std::string drawn = WithoutControls(line);
    const std::u16string wide = Cp932::Decode(drawn);
    return GetTextArea(QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size())), area,
                       font, canvas);
}

std::int64_t GetTextArea(const QString& text, std::int64_t& area, const QFont& font,
                         AreaCanvas& canvas)
{
    area = 0;
    try {
        return DrawAndCount(text, area, font, canvas);
    } catch (const std::exception& error) {
        area = 0;
        throw Exception(std::string(error.what()) + "(in GraphicsFunc::GetStringArea)");
    }
}

void ChangeBrightness(QImage& image, const QRect& rect, int red, int green, int blue)
{
    try {
        if (image.isNull())
            throw Exception("Cannot copy bitmap");
        if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
            image.convertTo(QImage::Format_RGB32);
        const QRect area = rect.intersected(image.rect());
        const std::array<int, 3> percents = {std::max(red, 0), std::max(green, 0),
                                             std::max(blue, 0)};
        const auto scale = [](int channel, int percent) {
            return std::min(255, static_cast<int>(std::int64_t{channel} * percent / 100));
        };
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb pixel = row[x];
                row[x] = qRgba(scale(qRed(pixel), percents[0]), scale(qGreen(pixel), percents[1]),
                               scale(qBlue(pixel), percents[2]), qAlpha(pixel));
            }
        }
    } catch (const std::exception& error) {
        throw Exception(std::string(error.what()) + " in GraphicsFunc::ChangeBrightness");
    }
}

void ChangeBrightness(QImage& image, const QRect& rect, int percent)
{
    ChangeBrightness(image, rect, percent, percent, percent);
}

} // namespace GraphicsFunc
