// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidthFold.h"

#include "controls/QtShiftJis.h"
#include "paper/DoubleByteConversion.h"

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace {

// For each UTF-16 unit, its half-width reading (one or two units), or nothing when it reads as
// itself. Made once from the full-width conversion itself, so that both always agree.
struct HalfWidthForm
{
    char16_t first = 0;
    char16_t second = 0;
};
using HalfWidthTable = std::array<HalfWidthForm, 0x10000>;

std::unique_ptr<HalfWidthTable> MakeHalfWidthTable()
{
    auto table = std::make_unique<HalfWidthTable>();
    const auto add = [&table](const std::string& half) {
        const std::string full = ConvertToDoubleBytes(half);
        if (full == half || full.size() != 2)
            return;
        const std::u16string from = Cp932::Decode(full);
        const std::u16string to = Cp932::Decode(half);
        if (from.size() != 1 || to.empty() || to.size() > 2)
            return;
        (*table)[from[0]] = {to[0], to.size() == 2 ? to[1] : u'\0'};
    };
    // Every single byte that is not a lead byte, then every kana with either sound mark.
    for (int b = 0x01; b <= 0xFF; ++b)
        if (!(b >= 0x81 && b <= 0x9F) && !(b >= 0xE0 && b <= 0xFC))
            add(std::string(1, static_cast<char>(b)));
    for (int kana = 0xA6; kana <= 0xDD; ++kana)
        for (const int mark : {0xDE, 0xDF})
            add(std::string{static_cast<char>(kana), static_cast<char>(mark)});
    return table;
}

const HalfWidthTable& HalfWidthForms()
{
    static const std::unique_ptr<HalfWidthTable> table = MakeHalfWidthTable();
    return *table;
}

template <typename Sink> void Fold(QStringView text, QString& out, Sink&& secondHalf)
{
    const HalfWidthTable& forms = HalfWidthForms();
    out.reserve(text.size() + text.size() / 16);
    for (const QChar c : text) {
        const HalfWidthForm& form = forms[c.unicode()];
        if (form.first == 0) {
            out.append(c);
            continue;
        }
        out.append(QChar(form.first));
        if (form.second != 0) {
            secondHalf(out.size());
            out.append(QChar(form.second));
        }
    }
}

} // namespace

FoldedText::FoldedText(QStringView text)
{
    Fold(text, FText, [this](qsizetype at) { FSecondHalves.push_back(at); });
}

qsizetype FoldedText::ToFolded(qsizetype original) const
{
    // The k-th second half belongs to the character at original position FSecondHalves[k]-1-k;
    // every such character before `original` adds one position.
    qsizetype low = 0;
    qsizetype high = static_cast<qsizetype>(FSecondHalves.size());
    while (low < high) {
        const qsizetype k = (low + high) / 2;
        if (FSecondHalves[static_cast<std::size_t>(k)] - 1 - k < original)
            low = k + 1;
        else
            high = k;
    }
    return original + low;
}

qsizetype FoldedText::ToOriginal(qsizetype folded) const
{
    const auto before = std::lower_bound(FSecondHalves.begin(), FSecondHalves.end(), folded);
    return folded - (before - FSecondHalves.begin());
}

bool FoldedText::IsCharacterStart(qsizetype folded) const
{
    return !std::binary_search(FSecondHalves.begin(), FSecondHalves.end(), folded);
}

QString FoldWidth(QStringView text)
{
    QString out;
    Fold(text, out, [](qsizetype) {});
    return out;
}

QString FoldWidthInPattern(QStringView pattern)
{
    QString out;
    const HalfWidthTable& forms = HalfWidthForms();
    for (const QChar c : pattern) {
        const HalfWidthForm& form = forms[c.unicode()];
        if (form.first == 0) {
            out.append(c);
            continue;
        }
        const QChar first(form.first);
        if (first.unicode() < 0x80 && !first.isLetterOrNumber() && !first.isSpace())
            out.append(QChar(u'\\'));
        out.append(first);
        if (form.second != 0)
            out.append(QChar(form.second));
    }
    return out;
}
