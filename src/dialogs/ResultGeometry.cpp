// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultGeometry.h"

#include <algorithm>

ResultGeometry ComputeResultGeometry(const QRect& label, const QSize& okButton,
                                     const QSize& copyButton, const QSize& frame,
                                     const QRect& screen)
{
    const int buttons = okButton.width() + copyButton.width();
    const int labelBottom = label.top() + label.height();

    ResultGeometry g;
    g.Client =
        QSize(std::max(label.width() + 16, buttons + 32), labelBottom + okButton.height() + 24);
    const int okLeft = (g.Client.width() - buttons - 16) / 2;
    g.OkButton = QPoint(okLeft, labelBottom + 16);
    g.CopyButton = QPoint(okLeft + okButton.width() + 16, labelBottom + 16);

    const QSize own = g.Client + frame;
    g.Window = QPoint(screen.left() + (screen.width() - own.width()) / 2,
                      screen.top() + (screen.height() - own.height()) / 2);
    return g;
}
