// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What a submission page shows, drawn into a picture: the strokes of a dash, and where the
// characters and the page number stand on the page.
#include "QtTestApplication.h"
#include "ShiftJisText.h"
#include "preview/SubmissionPainter.h"

#include <QImage>
#include <QPainter>

#include <random>

namespace {

constexpr double PixelsPerMillimetre = 4;

// A page drawn inside a picture with `border` pixels around it, so that what falls off the page
// is still seen.
struct DrawnPage
{
    QImage image;
    QRectF page; // in the picture
};

DrawnPage Draw(const SubmissionPainter& painter, std::int32_t number, int border = 0,
               double pixelsPerMillimetre = PixelsPerMillimetre)
{
    const QSizeF shape = painter.PageShape() * pixelsPerMillimetre;
    DrawnPage drawn{QImage(static_cast<int>(shape.width()) + 2 * border,
                           static_cast<int>(shape.height()) + 2 * border, QImage::Format_RGB32),
                    QRectF(QPointF(border, border), shape)};
    drawn.image.fill(Qt::white);
    QPainter on(&drawn.image);
    painter.PaintText(on, drawn.page, number);
    return drawn;
}

bool Ink(const QImage& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
           qGray(image.pixel(x, y)) < 250;
}

// A run of ―― is one stroke along its line, across the room between its cells: in vertical
// writing down the middle of the line, in horizontal writing along it.
TEST(SubmissionDrawing, ADashRunIsOneStroke)
{
    for (const bool vertical : {true, false}) {
        // Few lines on the page make the cells far longer than the characters are wide.
        SubmissionSettings settings{.Column = 10, .Line = 30, .Vertical = vertical};
        settings.PageNumbers = false;
        TPaper paper;
        paper.Column = settings.Column;
        paper.Line = settings.Line;
        const ManuscriptLayout page(paper, Sjis("あ――い"));
        const SubmissionPainter painter(page, {settings, QStringLiteral("IPAMincho"), "", ""});
        const SubmissionGeometry& g = painter.Geometry();
        ASSERT_GT(g.Pitch, 1.5 * g.FontPoints * 25.4 / 72) << "the cells stand apart";
        const DrawnPage drawn = Draw(painter, 0);
        // From the middle of the first dash's cell to the middle of the second's.
        const double from = 1.5 * g.Pitch * PixelsPerMillimetre;
        const double to = 2.5 * g.Pitch * PixelsPerMillimetre;
        const double middle = (vertical ? g.Right - 0.5 * g.LinePitch : g.Top + 0.5 * g.LinePitch) *
                              PixelsPerMillimetre;
        const double start = (vertical ? g.Top : g.Left) * PixelsPerMillimetre;
        int gaps = 0;
        for (int along = static_cast<int>(start + from); along <= static_cast<int>(start + to);
             ++along) {
            bool inked = false;
            for (int across = static_cast<int>(middle) - 3; across <= static_cast<int>(middle) + 3;
                 ++across)
                inked = inked || (vertical ? Ink(drawn.image, across, along)
                                           : Ink(drawn.image, along, across));
            gaps += inked ? 0 : 1;
        }
        EXPECT_EQ(gaps, 0) << (vertical ? "vertical" : "horizontal");
    }
}

// Whatever the page, the margins and the numbers of characters and lines, every character stays
// on the page and clear of the page number, a 。 hung at the end of a line too.
TEST(SubmissionDrawing, HungCharactersStayOnThePageAndOffItsNumber)
{
    std::mt19937 random(13);
    const PageSize sizes[] = {PageSize::A4, PageSize::B5, PageSize::B4, PageSize::A5};
    const int border = 40;
    for (int round = 0; round < 80; ++round) {
        SubmissionSettings settings{
            .Column = static_cast<std::int32_t>(1 + random() % 50),
            .Line = static_cast<std::int32_t>(1 + random() % 50),
            .Size = sizes[random() % std::size(sizes)],
            .Turn = static_cast<PageTurn>(random() % 3),
            .Vertical = random() % 2 == 0,
        };
        settings.MarginTop = static_cast<std::int32_t>(random() % 40);
        settings.MarginBottom = static_cast<std::int32_t>(random() % 40);
        settings.MarginSide = static_cast<std::int32_t>(random() % 40);
        settings.FontTenths =
            random() % 2 == 0 ? 0 : static_cast<std::int32_t>(50 + random() % 300);
        // Every line full, with a 。 hung after its last cell.
        std::string text;
        for (std::int32_t line = 0; line < settings.Line; ++line) {
            for (std::int32_t c = 0; c < settings.Column; ++c)
                text += Sjis("あ");
            text += Sjis("。\r\n");
        }
        const ManuscriptLayout layout = SubmissionLayout(TPaper{}, settings, text, "", "");
        const ManuscriptLayout empty = SubmissionLayout(TPaper{}, settings, "", "", "");
        const SubmissionStyle style{settings, QStringLiteral("IPAMincho"), "", ""};
        const DrawnPage both = Draw(SubmissionPainter(layout, style), 0, border, 2);
        const DrawnPage number = Draw(SubmissionPainter(empty, style), 0, border, 2);
        SCOPED_TRACE(testing::Message()
                     << "round " << round << ": " << settings.Column << " x " << settings.Line
                     << (settings.Vertical ? " vertical" : " horizontal") << ", margins "
                     << settings.MarginTop << "/" << settings.MarginBottom << "/"
                     << settings.MarginSide << ", size " << settings.FontTenths);
        QRect numberInk;
        int offPage = 0;
        QPoint firstOff;
        for (int y = 0; y < both.image.height(); ++y)
            for (int x = 0; x < both.image.width(); ++x) {
                if (Ink(both.image, x, y) && !both.page.contains(QPointF(x + 0.5, y + 0.5))) {
                    firstOff = offPage++ == 0 ? QPoint(x, y) : firstOff;
                }
                if (Ink(number.image, x, y))
                    numberInk |= QRect(x, y, 1, 1);
            }
        EXPECT_EQ(offPage, 0) << "first at " << firstOff.x() << ", " << firstOff.y()
                              << " of a page at " << both.page.left() << ", " << both.page.top()
                              << " to " << both.page.right() << ", " << both.page.bottom();
        ASSERT_FALSE(numberInk.isEmpty()) << "the page number is drawn";
        // Around the number, only the number's own ink.
        int underNumber = 0;
        for (int y = numberInk.top() - 1; y <= numberInk.bottom() + 1; ++y)
            for (int x = numberInk.left() - 1; x <= numberInk.right() + 1; ++x)
                underNumber += Ink(both.image, x, y) && !Ink(number.image, x, y) ? 1 : 0;
        EXPECT_EQ(underNumber, 0);
    }
}

} // namespace
