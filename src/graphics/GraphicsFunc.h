// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pixel utilities: the ink of one line of text (the character area) and the tint of an image
// region (the About box's background).

#include "GlyphInk.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace GraphicsFunc {

// The largest drawing surface one line may need, in bytes: the bound Qt puts on the images it
// reads. A wider line is refused rather than let one measurement take the machine's memory.
inline constexpr std::int64_t MaximumLineImageBytes = std::int64_t{256} << 20;

// The font a line is drawn in for the area: the editor font's face and pixel height, weight 700
// when bold and 400 otherwise, and its italic, underline and strike-out; drawn without
// anti-aliasing, so that every pixel is ink or paper and the share is the glyphs' coverage.
QFont MeasuringFont(const QFont& editorFont);

// What one measurement keeps from line to line: the drawing surface, grown to the widest line so
// far, and the ink of every glyph met, which the next lines are put together from.
struct AreaCanvas
{
    QImage surface;
    GlyphInkCache glyphs;
    std::vector<std::uint8_t> inked; // one line's pixels, 1 where a glyph inks it
};

// Draws the line (Shift-JIS) black on white in `font` into a box as wide as the line's advance
// and as high as the font's cell, and returns how many of the box's pixels have blue 0; `area`
// receives width x height. TAB, vertical tab, CR and LF are taken out first. The pixels are those
// of drawing the line; they are put together from each glyph's kept ink unless the font draws
// lines of its own (underline, strike-out). Throws Exception
// "1行の長さが長すぎます。(in GraphicsFunc::GetStringArea)" when the line's box cannot be made.
std::int64_t GetStringArea(std::string_view line, std::int64_t& area, const QFont& font,
                           AreaCanvas& canvas);
// The same for a line already decoded, without TAB, vertical tab, CR and LF.
std::int64_t GetTextArea(const QString& text, std::int64_t& area, const QFont& font,
                         AreaCanvas& canvas);

// Scales every pixel of `rect` (clipped to the image): each channel becomes
// channel * percent / 100, truncated and capped at 255; a negative percent counts as 0. Throws
// Exception "... in GraphicsFunc::ChangeBrightness" for an image it cannot work on.
void ChangeBrightness(QImage& image, const QRect& rect, int red, int green, int blue);
void ChangeBrightness(QImage& image, const QRect& rect, int percent);

} // namespace GraphicsFunc
