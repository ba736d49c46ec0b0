// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's status bar, StatusBar1: the progress of a long command (panel 0), the caret's
// place (1), the note that the panel shows a selection (2) and the modified mark (3). The
// progress is drawn at once, since a long command lets the window breathe only between its steps.

#include <QObject>
#include <QRect>
#include <QString>

#include <array>

class QLabel;
class QPainter;
class QStatusBar;
class StatusProgress;

class StatusPanels : public QObject
{
    Q_OBJECT

public:
    // Adds the four sections to `bar`, their widths scaled to the screen of `bar`.
    explicit StatusPanels(QStatusBar* bar);

    // Panels 1 to 3; another number is no panel.
    QString Text(int panel) const;
    void SetText(int panel, const QString& text);

    // Panel 1 says `text` while the bar in panel 0 shows the share done; then it says again what
    // it said before.
    void BeginProgress(const QString& text);
    void SetProgress(double fraction);
    void EndProgress();

private:
    void StatusBar1DrawPanel(QPainter* painter, const QRect& area);

    StatusProgress* FStatusProgress = nullptr;
    std::array<QLabel*, 4> FStatusPanels{}; // 1..3; panel 0 is FStatusProgress
    double FProgress = 0.0;
    QRect FProgressRect;
    QString FSavedStatusText;
};
