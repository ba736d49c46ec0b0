// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusProgress.h"

#include <QPainter>

StatusProgress::StatusProgress(QWidget* parent) : QWidget(parent) {}

void StatusProgress::PaintNow(const QRect& area)
{
    FNextArea = area;
    repaint();
    FNextArea = QRect();
}

void StatusProgress::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (FNextArea.isValid()) {
        // What lies outside the bar's own area stays as the panel's face.
        painter.fillRect(rect(), palette().color(QPalette::Button));
        emit DrawPanel(&painter, FNextArea);
    } else {
        emit DrawPanel(&painter, rect());
    }
}
