// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the result dialog puts its parts: the report on top, the two buttons centred 16 pixels
// apart under it, and the whole dialog as large as the report needs, centred on the screen.

#include <QPoint>
#include <QRect>
#include <QSize>

struct ResultGeometry
{
    QSize Client;    // the dialog's inner size
    QPoint OkButton; // top left of OkButton inside the dialog
    QPoint CopyButton;
    QPoint Window; // top left of the dialog's frame on the screen
};

// `label` is the report's place and size, `frame` the extra size the window frame adds, `screen`
// the screen's rectangle. A report taller than the screen gives a dialog that reaches above it:
// the dialog never scrolls.
ResultGeometry ComputeResultGeometry(const QRect& label, const QSize& okButton,
                                     const QSize& copyButton, const QSize& frame,
                                     const QRect& screen);
