// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows beside the main one (the manuscript preview, the writing log): they open
// whole on the screen of the window that opens them and close with Escape.

#include <QRect>
#include <QSize>

class QWidget;

// The frame's rectangle of a window of `size` (frame included) centred on `owner` and moved as
// little as needs be to lie inside `room`; a window larger than `room` is made as large as it.
QRect PlaceInside(const QRect& owner, QSize size, const QRect& room);

// Sizes and moves `window` by PlaceInside: inside the available area of `owner`'s screen, over
// `owner`, whose frame tells how much a frame adds.
void PlaceOnOwnersScreen(QWidget& window, const QWidget& owner);

// Escape closes `window` wherever in it the focus is.
void CloseWithEscape(QWidget& window);
