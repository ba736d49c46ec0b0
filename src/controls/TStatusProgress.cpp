#include "TStatusProgress.h"

#include <QPainter>

TStatusProgress::TStatusProgress(QWidget* parent) : QWidget(parent) {}

void TStatusProgress::PaintNow(const QRect& area)
{
    FNextArea = area;
    repaint();
    FNextArea = QRect();
}

void TStatusProgress::paintEvent(QPaintEvent*)
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
