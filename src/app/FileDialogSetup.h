// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's file dialogs as a writer expects them: the remembered name is proposed selected,
// so that typing replaces it, and nothing of the dialog stays on screen once it has closed.

class QFileDialog;

void SetUpFileDialog(QFileDialog& dialog);
