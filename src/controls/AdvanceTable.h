// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The advance of every character in a font, measured once per character and kept: the widths from
// which the editor view breaks paragraphs into rows without shaping them. They add up to the
// shaped line exactly in fonts that move no pair of characters (the monospaced Japanese fonts);
// a proportional font's kerning pairs shift a shaped row by a pixel or so.

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <QStringView>

#include <unordered_map>
#include <vector>

class AdvanceTable
{
public:
    explicit AdvanceTable(const QFont& font);

    // The advance of one character: from the font itself where it has the character, else from
    // the font that stands in for it; 0 for marks that join the character before them, variation
    // selectors and joiners.
    double Advance(char32_t character);

    // The advance of each UTF-16 unit of `text`, appended to `out`: a pair's first unit carries the
    // character's advance and its second 0.
    void Measure(QStringView text, std::vector<double>& out);

private:
    double MeasureCharacter(char32_t character) const;

    QFont FFont;
    QRawFont FRaw;
    QFontMetricsF FMetrics;
    std::vector<float> FBasic; // the Basic Multilingual Plane, negative where not measured yet
    std::unordered_map<char32_t, float> FBeyond;
};
