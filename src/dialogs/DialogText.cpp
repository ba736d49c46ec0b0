#include "DialogText.h"

#include "analysis/Cp932Codec.h"

#include <QList>

namespace DialogText {

QString FromShiftJis(std::string_view bytes)
{
    const std::u16string text = Cp932::Decode(bytes, Cp932::LineBreaks::Convert);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool ToShiftJis(const QString& text, std::string& out)
{
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()),
                                    static_cast<std::size_t>(text.size()));
    std::string bytes;
    if (!Cp932::Encode(units, bytes))
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

} // namespace DialogText
