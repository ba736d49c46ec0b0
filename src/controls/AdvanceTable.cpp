// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "AdvanceTable.h"

#include <QChar>
#include <QString>

AdvanceTable::AdvanceTable(const QFont& font)
    : FFont(font), FRaw(QRawFont::fromFont(font)), FMetrics(font), FBasic(0x10000, -1.0F)
{
}

double AdvanceTable::MeasureCharacter(char32_t character) const
{
    switch (QChar::category(character)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format: // joiners, marks of direction
        return 0;
    default:
        break;
    }
    if ((character >= 0xFE00 && character <= 0xFE0F) ||
        (character >= 0xE0100 && character <= 0xE01EF))
        return 0; // variation selectors choose a glyph and take no room
    const QString one = QString::fromUcs4(&character, 1);
    if (FRaw.isValid() && FRaw.supportsCharacter(character)) {
        const QList<quint32> glyphs = FRaw.glyphIndexesForString(one);
        if (glyphs.size() == 1 && glyphs.front() != 0)
            return FRaw.advancesForGlyphIndexes(glyphs).front().x();
    }
    // A character the font lacks is drawn from another font, as the text layout would.
    return FMetrics.horizontalAdvance(one);
}

double AdvanceTable::Advance(char32_t character)
{
    if (character < FBasic.size()) {
        float& known = FBasic[character];
        if (known < 0)
            known = static_cast<float>(MeasureCharacter(character));
        return known;
    }
    const auto [at, added] = FBeyond.try_emplace(character, 0.0F);
    if (added)
        at->second = static_cast<float>(MeasureCharacter(character));
    return at->second;
}

void AdvanceTable::Measure(QStringView text, std::vector<double>& out)
{
    out.reserve(out.size() + static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.push_back(Advance(QChar::surrogateToUcs4(unit, text[i + 1])));
            out.push_back(0);
            ++i;
        } else {
            out.push_back(Advance(unit.unicode()));
        }
    }
}
