#include "GraphicsFunc.h"

#include "analysis/CharacterArea.h"
#include "analysis/Cp932Codec.h"
#include "shell/Exceptions.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <QTextLayout>

#include <algorithm>
#include <array>
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

std::int64_t DrawAndCount(std::string_view line, std::int64_t& area, const QFont& font,
                          QImage& canvas)
{
    const std::string drawn = WithoutControls(line);
    if (drawn.empty())
        return 0;
    const std::u16string wide = Cp932::Decode(drawn);
    const QString text = QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
    // Shaped once for both the width and the drawing: shaping is most of a line's cost.
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    layout.endLayout();
    const QFontMetrics metrics(font);
    // The advance of the whole line, trailing blanks included, rounded as QFontMetrics does.
    const int width = qRound(textLine.horizontalAdvance());
    const int height = metrics.height();
    if (width <= 0 || height <= 0)
        return 0;
    EnsureCanvas(canvas, width, height);
    QPainter painter;
    if (!painter.begin(&canvas))
        throw Exception("Cannot draw text");
    painter.setClipRect(0, 0, width, height);
    painter.fillRect(0, 0, width, height, Qt::white);
    painter.setPen(Qt::black);
    textLine.setPosition(QPointF(0, 0));
    layout.draw(&painter, QPointF(0, metrics.ascent() - textLine.ascent()));
    painter.end();
    area = std::int64_t{width} * height;
    return CountInk(canvas, width, height);
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
    return font;
}

std::int64_t GetStringArea(std::string_view line, std::int64_t& area, const QFont& font,
                           QImage& canvas)
{
    area = 0;
    try {
        return DrawAndCount(line, area, font, canvas);
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
