// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TSuperLabel.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

TSuperLabel::TSuperLabel(QWidget* parent) : QWidget(parent)
{
    resize(60, 25);
}

template <class T> void TSuperLabel::Set(T& field, const T& value)
{
    field = value;
    update();
}

void TSuperLabel::setFontWeight(int value)
{
    Set(FFontWeight, std::clamp(value, 0, 1000));
}

void TSuperLabel::setFontHeight(int value)
{
    Set(FFontHeight, value);
}

void TSuperLabel::setFontWidth(int value)
{
    Set(FFontWidth, value);
}

void TSuperLabel::setHorizontalAlignment(HAlignment value)
{
    Set(FHorizontalAlignment, value);
}

void TSuperLabel::setVerticalAlignment(VAlignment value)
{
    Set(FVerticalAlignment, value);
}

void TSuperLabel::setDirGradation(DGradation value)
{
    Set(FDirGradation, value);
}

void TSuperLabel::setLeftTopColor(const QColor& value)
{
    Set(FLeftTopColor, value);
}

void TSuperLabel::setRightBottomColor(const QColor& value)
{
    Set(FRightBottomColor, value);
}

void TSuperLabel::setCaption(const QString& value)
{
    Set(FCaption, value);
}

void TSuperLabel::setAngle(FontAngle value)
{
    Set(FAngle, value);
}

void TSuperLabel::setFontColor(const QColor& value)
{
    Set(FFontColor, value);
}

void TSuperLabel::setLeftRightMargin(int value)
{
    Set(FLeftRightMargin, value);
}

void TSuperLabel::setTopBottomMargin(int value)
{
    Set(FTopBottomMargin, value);
}

void TSuperLabel::setShadow(bool value)
{
    Set(FShadow, value);
}

void TSuperLabel::setShadowLeave(int value)
{
    Set(FShadowLeave, value);
}

void TSuperLabel::setShadowColor(const QColor& value)
{
    Set(FShadowColor, value);
}

QPoint TSuperLabel::TextOrigin(FontAngle angle, HAlignment horizontal, VAlignment vertical,
                               QSize size, int textWidth, int fontHeight, int leftRightMargin,
                               int topBottomMargin)
{
    const int w = size.width(), h = size.height(), tw = textWidth, fh = fontHeight;
    const int m = leftRightMargin, n = topBottomMargin;
    // Per direction: x for centre, left, right; y for centre, top, bottom. Halves truncate.
    const int table[4][2][3] = {
        {{(w - tw) / 2, m, w - tw - m}, {(h - fh) / 2, n, h - fh - n}}, // left to right
        {{(w + tw) / 2, tw + m, w - m}, {(h + fh) / 2, fh + n, h - n}}, // right to left
        {{(w + fh) / 2, fh + m, w - m}, {(h - tw) / 2, n, h - tw - n}}, // top to bottom
        {{(w - fh) / 2, m, w - fh - m}, {(h + tw) / 2, tw + n, h - n}}, // bottom to top
    };
    return {table[angle][0][horizontal], table[angle][1][vertical]};
}

// Lines of colour from the left-top colour towards the right-bottom one, one per pixel column or
// row; the last line stops one step short of the end colour.
void TSuperLabel::PaintRamp(QPainter& painter)
{
    const bool horizontal = FDirGradation == taHorizontalGradation;
    if (horizontal && width() <= 0)
        resize(1, height());
    if (!horizontal && height() <= 0)
        resize(width(), 1);
    const int steps = horizontal ? width() : height();
    double value[3] = {double(FLeftTopColor.red()), double(FLeftTopColor.green()),
                       double(FLeftTopColor.blue())};
    const double step[3] = {(FRightBottomColor.red() - value[0]) / steps,
                            (FRightBottomColor.green() - value[1]) / steps,
                            (FRightBottomColor.blue() - value[2]) / steps};
    for (int i = 0; i < steps; ++i) {
        int channel[3];
        for (int c = 0; c < 3; ++c) {
            value[c] = std::clamp(value[c], 0.0, 255.0);
            channel[c] = static_cast<int>(value[c]);
        }
        painter.setPen(QPen(QColor(channel[0], channel[1], channel[2]), 1));
        if (horizontal)
            painter.drawLine(i, 0, i, height());
        else
            painter.drawLine(0, i, width(), i);
        for (int c = 0; c < 3; ++c)
            value[c] += step[c];
    }
}

QFont TSuperLabel::CaptionFont() const
{
    QFont captionFont(font().family());
    if (FFontHeight != 0)
        captionFont.setPixelSize(std::abs(FFontHeight));
    // 0 asks for no particular weight: the regular one.
    captionFont.setWeight(FFontWeight == 0 ? QFont::Normal : QFont::Weight(FFontWeight));
    captionFont.setItalic(font().italic());
    captionFont.setUnderline(font().underline());
    captionFont.setStrikeOut(font().strikeOut());
    if (FFontWidth > 0) {
        const int natural = QFontMetrics(captionFont).averageCharWidth();
        if (natural > 0)
            captionFont.setStretch(std::clamp(FFontWidth * 100 / natural, 1, 4000));
    }
    return captionFont;
}

void TSuperLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FDirGradation != taNoGradation)
        PaintRamp(painter);
    if (FCaption.isEmpty())
        return;
    const QFont captionFont = CaptionFont();
    const QFontMetrics metrics(captionFont);
    const QPoint origin = TextOrigin(FAngle, FHorizontalAlignment, FVerticalAlignment, size(),
                                     metrics.horizontalAdvance(FCaption), FFontHeight,
                                     FLeftRightMargin, FTopBottomMargin);
    // The directions turn the text 0, 180, 270 and 90 degrees counter-clockwise; the painter
    // turns clockwise.
    static constexpr int turn[4] = {0, -180, -270, -90};
    painter.setFont(captionFont);
    const auto drawAt = [&](QPoint at, const QColor& colour) {
        painter.save();
        painter.translate(at);
        painter.rotate(turn[FAngle]);
        painter.setPen(colour);
        painter.drawText(0, metrics.ascent(), FCaption);
        painter.restore();
    };
    if (FShadow)
        drawAt(origin + QPoint(FShadowLeave, FShadowLeave), FShadowColor);
    drawAt(origin, FFontColor);
}
