// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/GraphicsFunc.h"

#include "ShiftJisText.h"

#include <QFontMetrics>
#include <QPainter>

#include "QtTestApplication.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

QFont FixedFont()
{
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(16);
    return font;
}

// The simple way: a fresh image exactly the size of the line, drawn with drawText and read pixel
// by pixel.
std::int64_t DirectCount(const QString& text, const QFont& font, std::int64_t& area)
{
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(0, metrics.ascent(), text);
    painter.end();
    area = std::int64_t{image.width()} * image.height();
    std::int64_t ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qBlue(image.pixel(x, y)) == 0 ? 1 : 0;
    return ink;
}

TEST(GetStringArea, ABlackSquareCoversAStableShareOfItsBox)
{
    const QFont font = FixedFont();
    GraphicsFunc::AreaCanvas canvas;
    std::int64_t area = 0, directArea = 0;
    const std::int64_t covered = GraphicsFunc::GetStringArea(Sjis("■■■"), area, font, canvas);
    EXPECT_EQ(covered, DirectCount(QStringLiteral(u"■■■"), font, directArea));
    EXPECT_EQ(area, directArea);
    EXPECT_GT(covered * 100, area * 30); // the squares fill most of their cells
    EXPECT_LT(covered, area);
}

// Lines of every length, measured one after another on one reused surface, give what each gives
// alone on a fresh image; tabs and line breaks neither widen the box nor add ink.
TEST(GetStringArea, AReusedSurfaceGivesWhatAFreshImageGives)
{
    const QFont font = FixedFont();
    const char16_t pieces[] = u"あ漢ア■A g。「」";
    std::mt19937 random(7);
    GraphicsFunc::AreaCanvas canvas;
    for (int round = 0; round < 40; ++round) {
        QString text;
        const int length = static_cast<int>(random() % 60);
        for (int i = 0; i < length; ++i)
            text += QChar(pieces[random() % (std::size(pieces) - 1)]);
        const std::string line = Sjis(text.left(length / 2).toStdString()) + "\t\r\n\x0B" +
                                 Sjis(text.mid(length / 2).toStdString());
        std::int64_t area = -1, directArea = 0;
        const std::int64_t covered = GraphicsFunc::GetStringArea(line, area, font, canvas);
        EXPECT_EQ(covered, text.isEmpty() ? 0 : DirectCount(text, font, directArea))
            << text.toStdString();
        EXPECT_EQ(area, text.isEmpty() ? 0 : directArea) << text.toStdString();
    }
}

// Lines put together from the glyphs' kept ink give exactly the pixels of drawing them, over
// faces, sizes, bold, slanted glyphs that reach into their neighbours, combining marks drawn over
// the letter before them, and one measurement's glyphs kept across all its lines.
TEST(GetTextArea, PuttingLinesTogetherFromGlyphsGivesThePixelsOfDrawingThem)
{
    const char16_t* const pieces[] = {u"あ",
                                      u"漢",
                                      u"ア",
                                      u"■",
                                      u"A",
                                      u"g",
                                      u"。",
                                      u"「",
                                      u"」",
                                      u"ｶﾞ",
                                      u"f",
                                      u"j",
                                      u"W",
                                      u" ",
                                      u"　",
                                      u"e\u0301",
                                      u"a\u0308\u0323",
                                      u"\u3099",
                                      u"AV",
                                      u"fi"};
    const QString faces[] = {u"IPAGothic"_qs, u"IPAPGothic"_qs, u"IPAMincho"_qs, u"DejaVu Sans"_qs,
                             u"DejaVu Serif"_qs};
    std::mt19937 random(11);
    for (int face = 0; face < 5; ++face) {
        GraphicsFunc::AreaCanvas canvas; // kept over the lines of one measurement
        for (int round = 0; round < 60; ++round) {
            QFont editorFont(faces[face]);
            editorFont.setPixelSize(static_cast<int>(6 + random() % 90));
            editorFont.setBold(random() % 3 == 0);
            editorFont.setItalic(random() % 2 == 0);
            const QFont font = GraphicsFunc::MeasuringFont(editorFont);
            QString text;
            for (int i = static_cast<int>(random() % 30); i > 0; --i)
                text += QString::fromUtf16(pieces[random() % std::size(pieces)]);
            std::int64_t area = -1, directArea = 0;
            const std::int64_t covered = GraphicsFunc::GetTextArea(text, area, font, canvas);
            EXPECT_EQ(covered, text.isEmpty() ? 0 : DirectCount(text, font, directArea))
                << text.toStdString() << " " << font.toString().toStdString();
            EXPECT_EQ(area, text.isEmpty() ? 0 : directArea) << text.toStdString();
        }
    }
}

// Without anti-aliasing a page of kanji reads as the share its strokes cover, not a few pixels
// that happen to come out pure black.
TEST(GetStringArea, TheMeasuringFontInksWholePixels)
{
    const QFont font = GraphicsFunc::MeasuringFont(FixedFont());
    GraphicsFunc::AreaCanvas canvas;
    std::int64_t area = 0;
    const std::int64_t covered =
        GraphicsFunc::GetStringArea(Sjis(u8"漢字の占める割合"), area, font, canvas);
    EXPECT_GT(covered * 100, area * 15);
    EXPECT_LT(covered * 100, area * 60);
}

TEST(GetStringArea, ALineBeyondTheLargestSurfaceIsRefused)
{
    QFont font = FixedFont();
    font.setPixelSize(200);
    const QFontMetrics metrics(font);
    const std::int64_t needed = GraphicsFunc::MaximumLineImageBytes /
                                (4 * metrics.height() * metrics.horizontalAdvance('W'));
    const std::string line(static_cast<std::size_t>(needed + 2), 'W');
    GraphicsFunc::AreaCanvas canvas;
    std::int64_t area = -1;
    try {
        GraphicsFunc::GetStringArea(line, area, font, canvas);
        FAIL() << "no error";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()),
                  "1行の長さが長すぎます。(in GraphicsFunc::GetStringArea)");
    }
    EXPECT_EQ(area, 0);
}

TEST(ChangeBrightness, ScalesEachChannelInIntegersAndCapsAt255)
{
    struct Row
    {
        QRgb before;
        int red, green, blue;
        QRgb after;
    };
    const Row rows[] = {
        {qRgb(200, 100, 50), 20, 60, 20, qRgb(40, 60, 10)},      // the About box's tint
        {qRgb(199, 99, 49), 20, 60, 20, qRgb(39, 59, 9)},        // 39.8, 59.4, 9.8 truncate
        {qRgb(200, 100, 50), 300, 100, 150, qRgb(255, 100, 75)}, // brightening caps at 255
        {qRgb(200, 100, 50), -10, 0, 100, qRgb(0, 0, 50)},       // a negative percent is 0
    };
    for (const Row& row : rows) {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(row.before);
        GraphicsFunc::ChangeBrightness(image, QRect(1, 0, 5, 1), row.red, row.green, row.blue);
        EXPECT_EQ(image.pixel(1, 0), row.after);
        EXPECT_EQ(image.pixel(2, 0), row.after);
        EXPECT_EQ(image.pixel(0, 0), row.before); // outside the rectangle
        EXPECT_EQ(image.pixel(1, 1), row.before);
    }
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    GraphicsFunc::ChangeBrightness(image, image.rect(), 50);
    EXPECT_EQ(image.pixel(0, 0), qRgb(5, 10, 15));

    QImage none;
    try {
        GraphicsFunc::ChangeBrightness(none, QRect(0, 0, 1, 1), 50);
        FAIL() << "no error";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot copy bitmap in GraphicsFunc::ChangeBrightness");
    }
}

} // namespace
