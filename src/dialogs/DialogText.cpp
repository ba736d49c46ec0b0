// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogText.h"

#include "controls/QtShiftJis.h"

#include <QList>
#include <QRegularExpression>

namespace DialogText {

QString FromShiftJis(std::string_view bytes)
{
    return QtShiftJis::Decode(bytes, Cp932::LineBreaks::Convert);
}

bool ToShiftJis(const QString& text, std::string& out)
{
    std::string bytes;
    if (!QtShiftJis::Encode(text, bytes))
        return false;
    out = std::move(bytes);
    return true;
}

QString FirstUnencodable(const QString& text)
{
    std::string scratch;
    qsizetype i = 0;
    while (i < text.size()) {
        // A character outside the basic plane is a surrogate pair: test the pair as one.
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QString character = text.mid(i, length);
        if (!ToShiftJis(character, scratch))
            return character;
        i += length;
    }
    return {};
}

QString UnencodableMessage(const QString& character)
{
    return QString::fromUtf8(u8"「%1」(U+%2) はシフトJISで表せない文字のため使えません")
        .arg(character)
        .arg(QString::number(character.toUcs4().value(0), 16).toUpper().rightJustified(4, u'0'));
}

QString WithoutMnemonic(const QString& caption)
{
    QString text = caption;
    // The Japanese form: the letter in brackets after the caption.
    static const QRegularExpression bracketed(QStringLiteral("\\(&[^&]\\)"));
    text.remove(bracketed);
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

} // namespace DialogText
