#pragma once
// Pixel utilities: the ink of one line of text (the character area) and the tint of an image
// region (the About box's background).

#include <QFont>
#include <QImage>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace GraphicsFunc {

// The largest drawing surface one line may need, in bytes: the bound Qt puts on the images it
// reads. A wider line is refused rather than let one measurement take the machine's memory.
inline constexpr std::int64_t MaximumLineImageBytes = std::int64_t{256} << 20;

// The font a line is drawn in for the area: the editor font's face and pixel height, weight 700
// when bold and 400 otherwise, and its italic, underline and strike-out.
QFont MeasuringFont(const QFont& editorFont);

// Draws the line (Shift-JIS) black on white in `font` into a box as wide as the line's advance
// and as high as the font's cell, and returns how many of the box's pixels have blue 0; `area`
// receives width x height. TAB, vertical tab, CR and LF are taken out first. `canvas` is the
// drawing surface, kept between calls and grown to the widest line so far. Throws Exception
// "1行の長さが長すぎます。(in GraphicsFunc::GetStringArea)" when the line's box cannot be made.
std::int64_t GetStringArea(std::string_view line, std::int64_t& area, const QFont& font,
                           QImage& canvas);

// Scales every pixel of `rect` (clipped to the image): each channel becomes
// channel * percent / 100, truncated and capped at 255; a negative percent counts as 0. Throws
// Exception "... in GraphicsFunc::ChangeBrightness" for an image it cannot work on.
void ChangeBrightness(QImage& image, const QRect& rect, int red, int green, int blue);
void ChangeBrightness(QImage& image, const QRect& rect, int percent);

} // namespace GraphicsFunc
