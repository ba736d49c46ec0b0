// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/TCopyrightForm.h"
#include "dialogs/TSuperLabel.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QTest>

#include "QtTestApplication.h"

#include <gtest/gtest.h>

namespace {

TEST(CopyrightForm, EveryClickGivesABoxOfItsOwnThatGoesWhenClosed)
{
    QWidget owner;
    const QPointer<TCopyrightForm> first = TCopyrightForm::ShowOver(&owner);
    const QPointer<TCopyrightForm> second = TCopyrightForm::ShowOver(&owner);
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.data(), second.data());
    EXPECT_EQ(first->size(), QSize(277, 133));
    EXPECT_TRUE(first->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(first->isModal());
    // The OK button runs along the whole bottom edge.
    const auto* ok = first->findChild<QWidget*>("Button1");
    EXPECT_EQ(ok->geometry(), QRect(0, 133 - ok->height(), 277, ok->height()));

    QTest::mouseClick(first->findChild<QWidget*>("Button1"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second->isVisible());
}

// Renders the label over a white page: what it draws.
QImage Drawn(TSuperLabel& label)
{
    QImage page(label.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    page.fill(Qt::white);
    label.render(&page, QPoint(), QRegion(), QWidget::DrawChildren); // no background of its own
    return page;
}

TEST(SuperLabel, WeightsStayBetween0And1000)
{
    TSuperLabel label;
    const int rows[][2] = {{1200, 1000}, {-5, 0}, {600, 600}, {1000, 1000}, {0, 0}};
    for (const auto& row : rows) {
        label.setFontWeight(row[0]);
        EXPECT_EQ(label.FontWeight(), row[1]) << row[0];
    }
}

TEST(SuperLabel, AnEmptyCaptionDrawsNothingAndARampOnNoWidthWidensIt)
{
    TSuperLabel label;
    label.resize(60, 25);
    label.setFontColor(Qt::black);
    label.setCaption(QStringLiteral("Kotonami"));
    QImage white(60, 25, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_NE(Drawn(label), white);
    label.setCaption(QString());
    EXPECT_EQ(Drawn(label), white);

    label.resize(0, 25);
    label.setDirGradation(TSuperLabel::taHorizontalGradation);
    label.setLeftTopColor(Qt::red);
    QPaintEvent paint(QRect(0, 0, 1, 25)); // Qt paints no widget of no width by itself
    QCoreApplication::sendEvent(&label, &paint);
    EXPECT_EQ(label.width(), 1);
}

TEST(SuperLabel, TheCaptionIsPlacedByDirectionAndAlignment)
{
    const QSize box(100, 40);
    const struct
    {
        TSuperLabel::FontAngle angle;
        TSuperLabel::HAlignment horizontal;
        TSuperLabel::VAlignment vertical;
        QPoint origin;
    } rows[] = {
        // a caption 31 wide, a font 11 high, margins 2 and 3; halves truncate
        {TSuperLabel::faLeftToRight, TSuperLabel::taHCenter, TSuperLabel::taVCenter, {34, 14}},
        {TSuperLabel::faLeftToRight,
         TSuperLabel::taRightJustify,
         TSuperLabel::taTopJustify,
         {67, 3}},
        {TSuperLabel::faRightToLeft,
         TSuperLabel::taLeftJustify,
         TSuperLabel::taBottomJustify,
         {33, 37}},
        {TSuperLabel::faTopToBottom, TSuperLabel::taHCenter, TSuperLabel::taVCenter, {55, 4}},
        {TSuperLabel::faBottomToTop,
         TSuperLabel::taRightJustify,
         TSuperLabel::taTopJustify,
         {87, 34}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(
            TSuperLabel::TextOrigin(row.angle, row.horizontal, row.vertical, box, 31, 11, 2, 3),
            row.origin)
            << row.angle << " " << row.horizontal << " " << row.vertical;
}

} // namespace
