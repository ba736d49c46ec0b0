// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WritingChart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

WritingChart::WritingChart(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(240, 120);
}

void WritingChart::SetSeries(Style style, QString caption, std::vector<Point> points, double target,
                             int marker)
{
    FStyle = style;
    FCaption = std::move(caption);
    FPoints = std::move(points);
    FTarget = target;
    FMarker = marker;
    update();
}

template <class X, class Y>
QPainterPath WritingChart::LinePath(double Point::*field, X x, Y y) const
{
    QPainterPath path;
    bool drawing = false;
    for (std::size_t i = 0; i < FPoints.size(); ++i) {
        const double value = FPoints[i].*field;
        if (std::isnan(value)) {
            drawing = false;
            continue;
        }
        const QPointF at(x(static_cast<int>(i)), y(value));
        drawing ? path.lineTo(at) : path.moveTo(at);
        drawing = true;
    }
    return path;
}

void WritingChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    // The figure at the top of the axis stands half a line above the plot: below the caption.
    const QRect plot = rect().adjusted(metrics.horizontalAdvance(QStringLiteral("00000000")),
                                       line * 3 / 2 + 4, -8, -line - 4);
    painter.setPen(palette().text().color());
    painter.drawText(4, line, FCaption);
    if (FPoints.empty() || plot.width() <= 0 || plot.height() <= 0)
        return;
    double top = FTarget;
    for (const Point& point : FPoints) {
        if (!std::isnan(point.value))
            top = std::max(top, point.value);
        if (!std::isnan(point.plan))
            top = std::max(top, point.plan);
    }
    top = top > 0 ? top * 1.1 : 1;
    const auto y = [&](double value) {
        return plot.bottom() - static_cast<int>(std::max(0.0, value) / top * plot.height());
    };
    const int count = static_cast<int>(FPoints.size());
    const double step = static_cast<double>(plot.width()) / count;
    const auto x = [&](int index) { return plot.left() + static_cast<int>(step * (index + 0.5)); };

    painter.setPen(palette().mid().color());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.setPen(palette().text().color());
    const QRect axis(0, plot.top() - line / 2, plot.left() - 4, line);
    painter.drawText(axis, Qt::AlignRight, QString::number(static_cast<qint64>(top)));
    painter.drawText(axis.translated(0, plot.height()), Qt::AlignRight, QStringLiteral("0"));
    painter.drawText(plot.left(), plot.bottom() + line + 2, FPoints.front().label);
    const int lastWidth = metrics.horizontalAdvance(FPoints.back().label);
    painter.drawText(plot.right() - lastWidth, plot.bottom() + line + 2, FPoints.back().label);

    const QColor ink = palette().highlight().color();
    if (FStyle == Style::Bars) {
        const int width = std::max(1, static_cast<int>(step * 0.7));
        for (int i = 0; i < count; ++i) {
            const double value = FPoints[static_cast<std::size_t>(i)].value;
            if (std::isnan(value))
                continue;
            const int top = y(value);
            painter.fillRect(QRect(x(i) - width / 2, top, width, plot.bottom() - top), ink);
        }
    } else {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(ink, 2));
        painter.drawPath(LinePath(&Point::value, x, y));
        // Each day's total is a dot as well, so that a single day shows.
        painter.setBrush(ink);
        for (int i = 0; i < count; ++i)
            if (const double value = FPoints[static_cast<std::size_t>(i)].value; !std::isnan(value))
                painter.drawEllipse(QPoint(x(i), y(value)), 2, 2);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ink, 1, Qt::DashLine));
        painter.drawPath(LinePath(&Point::plan, x, y));
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    if (FTarget > 0) {
        painter.setPen(QPen(Qt::red, 1, Qt::DashLine));
        painter.drawLine(plot.left(), y(FTarget), plot.right(), y(FTarget));
    }
    if (FMarker >= 0 && FMarker < count) {
        painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
        painter.drawLine(x(FMarker), plot.top(), x(FMarker), plot.bottom());
    }
}
