// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GlyphInk.h"

#include <QGlyphRun>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Phases are multiples of 1/64 pixel (the layout's fixed point); 1/1024 keeps them apart.
constexpr double PhaseSteps = 1024;

bool InkOnBorder(const QImage& image)
{
    const auto black = [&image](int x, int y) { return qBlue(image.pixel(x, y)) == 0; };
    for (int x = 0; x < image.width(); ++x)
        if (black(x, 0) || black(x, image.height() - 1))
            return true;
    for (int y = 0; y < image.height(); ++y)
        if (black(0, y) || black(image.width() - 1, y))
            return true;
    return false;
}

// The inked box of `image`, whose pixel (originX, originY) is the glyph's whole-pixel origin.
GlyphInk InkOf(const QImage& image, int originX, int originY)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFu) != 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    GlyphInk ink;
    if (right < 0)
        return ink;
    ink.left = left - originX;
    ink.top = top - originY;
    ink.width = right - left + 1;
    ink.height = bottom - top + 1;
    ink.inked.reserve(static_cast<std::size_t>(ink.width) * ink.height);
    for (int y = top; y <= bottom; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = left; x <= right; ++x)
            ink.inked.push_back((row[x] & 0xFFu) == 0 ? 1 : 0);
    }
    return ink;
}

bool SameInk(const GlyphInk& one, const GlyphInk& other, int shift)
{
    return one.inked == other.inked && one.top == other.top && one.width == other.width &&
           one.height == other.height && (one.inked.empty() || one.left + shift == other.left);
}

} // namespace

PlacedInk GlyphInkCache::Ink(const QRawFont& font, std::uint32_t glyph, QPointF at)
{
    int x = qFloor(at.x());
    const int y = qFloor(at.y());
    QPointF phase = at - QPointF(x, y);
    const auto fontIndex = static_cast<std::uint64_t>(&FontOf(font, phase.y()) - FFonts.data());
    const double step = phase.x() * 64;
    if (step == std::floor(step) && FFonts[fontIndex].wholePixel[static_cast<int>(step)] >= 0) {
        x += FFonts[fontIndex].wholePixel[static_cast<int>(step)];
        phase.setX(0);
    }
    const auto part = [](double fraction) {
        return static_cast<std::uint64_t>(std::llround(fraction * PhaseSteps)) & 0x7FF;
    };
    const std::uint64_t key =
        fontIndex << 54 | part(phase.x()) << 43 | part(phase.y()) << 32 | glyph;
    auto found = FInks.find(key);
    if (found == FInks.end())
        found = FInks.emplace(key, Draw(font, glyph, phase)).first;
    return {found->second, x, y};
}

GlyphInkCache::Font& GlyphInkCache::FontOf(const QRawFont& font, double phaseY)
{
    for (Font& known : FFonts)
        if (known.font == font)
            return known;
    FFonts.push_back({font, WholePixels(font, phaseY)});
    return FFonts.back();
}

// Draws a few glyphs with upright and slanted strokes at every 1/64 pixel: where each of them
// comes out as drawn at the start of the pixel, or of the next one, the font is placed on whole
// pixels there.
std::array<std::int8_t, 64> GlyphInkCache::WholePixels(const QRawFont& font, double phaseY)
{
    std::array<std::int8_t, 64> shifts{};
    shifts.fill(-1);
    bool first = true;
    for (const quint32 probe : font.glyphIndexesForString(QStringLiteral(u"l|/■W"))) {
        const GlyphInk atStart = Draw(font, probe, QPointF(0, phaseY));
        if (probe == 0 || atStart.inked.empty())
            continue; // a glyph the font lacks, or one without ink, shows nothing
        shifts[0] = 0;
        for (int step = 1; step < 64; ++step) {
            const GlyphInk placed = Draw(font, probe, QPointF(step / 64.0, phaseY));
            const int shift = SameInk(atStart, placed, 0)   ? 0
                              : SameInk(atStart, placed, 1) ? 1
                                                            : -1;
            if (first || shift != shifts[step])
                shifts[step] = static_cast<std::int8_t>(first ? shift : -1);
        }
        first = false;
    }
    return shifts;
}

// Draws the glyph alone, the way a line draws it, on a white box with room around its outline;
// a glyph whose ink reaches the edge of the box (a synthetic slant, hinting) is drawn again on a
// wider one.
GlyphInk GlyphInkCache::Draw(const QRawFont& font, std::uint32_t glyph, QPointF phase)
{
    const QRectF outline = font.boundingRect(glyph);
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes({glyph});
    run.setPositions({QPointF(0, 0)});
    for (int margin = std::max(4, qCeil(font.pixelSize() / 4.0));; margin *= 2) {
        const int left = qFloor(outline.left()) - margin;
        const int top = qFloor(outline.top()) - margin;
        const int width = qCeil(outline.right()) + margin - left;
        const int height = qCeil(outline.bottom()) + margin - top;
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull())
            return {};
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        painter.drawGlyphRun(QPointF(-left + phase.x(), -top + phase.y()), run);
        painter.end();
        if (!InkOnBorder(image) || margin > 16 * std::max(1, qCeil(font.pixelSize())))
            return InkOf(image, -left, -top);
    }
}
