// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The read-only fields of the information panel under the editor. Each is as wide as the widest
// figure it can ever show in its own font, so a figure is always seen whole; when the window is
// too narrow for the panel, the panel scrolls as a whole and keeps both rows in view.

class QScrollArea;

// Sizes every field of the panel for the widest text it can show: the largest count followed by
// the unit its design text carries ("0 (bytes)" gives " (bytes)"). Gives the fields the panel's
// colour and lets the panel keep room for its own horizontal scroll bar. Returns the width the
// panel needs to show every field without scrolling.
int SetUpPanelFields(QScrollArea& panel);
