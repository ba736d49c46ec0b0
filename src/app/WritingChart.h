// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small chart of the writing log, drawn with the painter: bars of characters per day or a line
// of the document's total with the road still to go, the target as a dashed line and the
// deadline as a mark.

#include <QPainterPath>
#include <QString>
#include <QWidget>

#include <limits>
#include <vector>

class WritingChart : public QWidget
{
    Q_OBJECT

public:
    enum class Style
    {
        Bars,
        Line
    };
    struct Point
    {
        QString label;    // under the first and the last point
        double value = 0; // NaN: none (a day still to come)
        double plan = std::numeric_limits<double>::quiet_NaN(); // the road to the target
    };

    explicit WritingChart(QWidget* parent = nullptr);

    // `target` 0: no target line; `marker` -1: no mark, else the point it stands at.
    void SetSeries(Style style, QString caption, std::vector<Point> points, double target = 0,
                   int marker = -1);

    QSize sizeHint() const override { return {520, 180}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    template <class X, class Y> QPainterPath LinePath(double Point::*field, X x, Y y) const;

    Style FStyle = Style::Bars;
    QString FCaption;
    std::vector<Point> FPoints;
    double FTarget = 0;
    int FMarker = -1;
};
