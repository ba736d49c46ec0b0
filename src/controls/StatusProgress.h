// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Panel 0 of the status bar: an empty area on which the window paints the progress of a long
// analysis (StatusBar1DrawPanel) through the DrawPanel signal.

#include <QRect>
#include <QWidget>

class StatusProgress : public QWidget
{
    Q_OBJECT

public:
    explicit StatusProgress(QWidget* parent = nullptr);

    // Paints at once, handing `area` (not the whole panel) to DrawPanel this one time.
    void PaintNow(const QRect& area);

signals:
    void DrawPanel(QPainter* painter, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect FNextArea;
};
