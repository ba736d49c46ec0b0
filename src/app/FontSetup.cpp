// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontSetup.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void SetupFonts()
{
    QStringList substitutes{QStringLiteral("IPAPGothic"), QStringLiteral(u"IPA Pゴシック"),
                            QStringLiteral("Noto Sans CJK JP")};
    // Whatever else can write Japanese, so that no glyph is missing on a machine without those.
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& family : japanese)
        if (!substitutes.contains(family))
            substitutes << family;
    QFont::insertSubstitutions(DesignFontName, substitutes);
}
