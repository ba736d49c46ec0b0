// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SubmissionPainter.h"

#include "analysis/Cp932Codec.h"
#include "paper/DoubleByteConversion.h"

#include <QPainter>

#include <algorithm>
#include <limits>

namespace {

constexpr double MillimetresPerPoint = 25.4 / 72;
constexpr double TitleSize = 1.6; // of the text's characters

// The title page's two lines, each as long as it needs to be.
TPaper TitleLines()
{
    TPaper paper;
    paper.Line = 2;
    paper.Column = std::numeric_limits<std::int32_t>::max();
    return paper;
}

} // namespace

SubmissionPainter::SubmissionPainter(const ManuscriptLayout& layout, SubmissionStyle style)
    : FLayout(layout), FStyle(std::move(style)), FPage(GeometryOf(FStyle.Settings)),
      FTitlePages(FStyle.Settings.Title == TitlePlace::TitlePage ? 1 : 0), FGlyphs(FStyle.Family)
{
}

double SubmissionPainter::Em() const noexcept
{
    return FPage.FontPoints * MillimetresPerPoint;
}

void SubmissionPainter::PaintPaper(QPainter& painter, const QRectF& target) const
{
    painter.save();
    const double scale = FitInto(painter, target);
    painter.fillRect(QRectF(QPointF(), PageShape() * scale), Qt::white);
    painter.restore();
}

void SubmissionPainter::PaintText(QPainter& painter, const QRectF& target, std::int32_t page) const
{
    painter.save();
    const double scale = FitInto(painter, target);
    if (page < FTitlePages) {
        PaintTitlePage(painter, scale);
    } else if (scale * Em() >= 1) {
        FGlyphs.Draw(painter, FLayout.Sheet(page - FTitlePages), FStyle.Settings.Vertical,
                     static_cast<int>(scale * Em()), [this, scale](const CellPlacement& place) {
                         const QRectF box = CharacterBox(place, Em());
                         return QRectF(box.topLeft() * scale, box.size() * scale);
                     });
        if (FStyle.Settings.PageNumbers)
            PaintPageNumber(painter, scale, page - FTitlePages + 1);
    }
    painter.restore();
}

// A character's room along its line is its pitch; across the line it is its own size, centred on
// the line, shared by two half-width characters side by side in vertical writing. A character hung
// at the line's end stands right after its last cell, in room of its own size, which the page
// keeps for it.
QRectF SubmissionPainter::CharacterBox(const CellPlacement& place, double em) const
{
    const double along = place.Hanging ? em : place.Extent * FPage.Pitch;
    const double share = 1.0 / place.Parts;
    if (FStyle.Settings.Vertical) {
        const double centre = FPage.Right - (place.Line + 0.5) * FPage.LinePitch;
        return {centre - em / 2 + em * share * place.Part, FPage.Top + place.Cell * FPage.Pitch,
                em * share, along};
    }
    const double centre = FPage.Top + (place.Line + 0.5) * FPage.LinePitch;
    return {FPage.Left + place.Cell * FPage.Pitch + along * share * place.Part, centre - em / 2,
            along * share, em};
}

// The title larger on the middle line, the name after it, ending where the text area ends.
void SubmissionPainter::PaintTitlePage(QPainter& painter, double scale) const
{
    const bool vertical = FStyle.Settings.Vertical;
    const double em = Em();
    std::string title, author;
    Cp932::EncodeFromUtf8ForCounting(FStyle.Title, title);
    Cp932::EncodeFromUtf8ForCounting(FStyle.Author, author);
    title = ConvertForSubmission(title);
    author = ConvertForSubmission(author);
    // Given as lines already made, so that the name never runs on after the title.
    const ManuscriptLayout lines(TitleLines(), {}, title + "\r\n" + author);
    const QPointF middle((FPage.Left + FPage.Right) / 2, (FPage.Top + FPage.Bottom) / 2);
    for (const double size : {TitleSize, 1.0}) {
        const double pixels = em * size;
        const bool title = size == TitleSize;
        const std::int32_t line = title ? 0 : 1;
        std::vector<CellPlacement> places;
        for (const CellPlacement& place : lines.Sheet(0))
            if (place.Line == line)
                places.push_back(place);
        if (places.empty())
            continue;
        const double length = (places.back().Cell + places.back().Extent) * pixels;
        // The title starts a fifth of the area in; the name ends at the area's end.
        const double areaStart = vertical ? FPage.Top : FPage.Left;
        const double areaEnd = vertical ? FPage.Bottom : FPage.Right;
        const double start =
            title ? areaStart + (areaEnd - areaStart) / 5 : std::max(areaStart, areaEnd - length);
        const double across = (vertical ? middle.x() : middle.y()) +
                              (title ? -1 : 1) * (vertical ? -1 : 1) * em * 1.5;
        FGlyphs.Draw(painter, places, vertical, static_cast<int>(scale * pixels),
                     [&](const CellPlacement& place) {
                         const double share = 1.0 / place.Parts;
                         const double at = start + place.Cell * pixels;
                         const QRectF box =
                             vertical ? QRectF(across - pixels / 2 + pixels * share * place.Part,
                                               at, pixels * share, place.Extent * pixels)
                                      : QRectF(at + place.Extent * pixels * share * place.Part,
                                               across - pixels / 2, place.Extent * pixels * share,
                                               pixels);
                         return QRectF(box.topLeft() * scale, box.size() * scale);
                     });
    }
}

// "- 3 -" in the middle of the lower margin, below the room of a hung character.
void SubmissionPainter::PaintPageNumber(QPainter& painter, double scale, std::int32_t number) const
{
    QFont small(FStyle.Family);
    small.setPixelSize(std::max(1, static_cast<int>(scale * Em() * PageNumberSize)));
    painter.setFont(small);
    painter.setPen(Qt::black);
    const double half = PageNumberSize * Em();
    const QRectF line(0, (FPage.NumberCentre - half) * scale, FPage.Width * scale,
                      2 * half * scale);
    painter.drawText(line, Qt::AlignCenter, QStringLiteral("- %1 -").arg(number));
}
