// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The writer types into the editor: it has the keyboard focus when the window first shows and
// takes it back after every dialog of the window.

class QWidget;

// Gives `editor` the focus now (kept for the window's first showing) and whenever a dialog or
// other window owned by `window` closes. The watcher belongs to the window.
void KeepEditorFocused(QWidget& window, QWidget& editor);
