// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PagePainter.h"

#include <QPainter>

#include <algorithm>

double PagePainter::FitInto(QPainter& painter, const QRectF& target) const
{
    const QSizeF shape = PageShape();
    const double scale = std::min(target.width() / shape.width(), target.height() / shape.height());
    const QSizeF size = shape * scale;
    painter.translate(target.center() - QPointF(size.width(), size.height()) / 2);
    return scale;
}
