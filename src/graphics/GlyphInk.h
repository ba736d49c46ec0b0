// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ink of each glyph as the painter leaves it, kept by font, glyph and where in a pixel the
// glyph starts. Without anti-aliasing a pixel is either inked or not, and the ink of a line is
// the union of its glyphs' ink, so a line can be put together from the glyphs a writer's text
// uses over and over instead of being drawn.

#include <QPointF>
#include <QRawFont>

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

struct GlyphInk
{
    int left = 0; // of the inked box, from the whole pixel the glyph's origin falls in
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> inked; // width x height, row by row: 1 where the pixel is black
};

// A glyph's ink and the whole pixel its box is counted from.
struct PlacedInk
{
    const GlyphInk& ink;
    int x;
    int y;
};

class GlyphInkCache
{
public:
    // The ink of `glyph` of `font` drawn black on white with its origin at `at`; drawn once for
    // each place in a pixel it is met at, then kept.
    PlacedInk Ink(const QRawFont& font, std::uint32_t glyph, QPointF at);

private:
    // A font met so far, and for each 1/64 pixel of a glyph's start whether the painter draws it
    // as at the start of the pixel or of the next one (a font placed on whole pixels), found by
    // drawing a few glyphs at every place; -1 where the place shows through in the ink.
    struct Font
    {
        QRawFont font;
        std::array<std::int8_t, 64> wholePixel{};
    };

    Font& FontOf(const QRawFont& font, double phaseY);
    static std::array<std::int8_t, 64> WholePixels(const QRawFont& font, double phaseY);
    static GlyphInk Draw(const QRawFont& font, std::uint32_t glyph, QPointF phase);

    std::vector<Font> FFonts; // their place is part of the key
    std::unordered_map<std::uint64_t, GlyphInk> FInks;
};
