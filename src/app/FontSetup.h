// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's design font is "ＭＳ Ｐゴシック"; that is the name the program stores and shows.
// SetupFonts maps it to the Japanese fonts installed here, best first.

#include <QString>

inline const QString DesignFontName = QStringLiteral(u"ＭＳ Ｐゴシック");
inline constexpr int DesignFontPointSize = 9;

// Call once after the application object exists.
void SetupFonts();
