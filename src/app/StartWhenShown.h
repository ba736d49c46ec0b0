// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The work of a start (opening the files named on the command line) waits until the window is on
// the screen, so that the writer sees the window, and the progress of a long file, at once.

#include <functional>

class QWidget;

// Runs `start` once, from the event loop, after the shown `window` has first been drawn on the
// screen; after a second at the latest, for a screen that never says so.
void StartWhenShown(QWidget& window, std::function<void()> start);
