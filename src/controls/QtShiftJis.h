#pragma once
// The one bridge between Qt's Unicode strings and the program's Shift-JIS bytes, through the
// program's codec. Header only, so that every GUI target can use it.

#include "analysis/Cp932Codec.h"

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace QtShiftJis {

inline std::u16string_view View(QStringView text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// Appends the text as Shift-JIS to `out`; false when some character had no Shift-JIS form.
inline bool Encode(QStringView text, std::string& out,
                   Cp932::LineBreaks breaks = Cp932::LineBreaks::Keep)
{
    return Cp932::Encode(View(text), out, breaks);
}

// Appends the Shift-JIS form that the counts, the census, the phrase search, the manuscript
// arrangement and the gutter work on: a character without a Shift-JIS form is the geta mark 〓, one
// double-byte character. False when some character took the mark.
inline bool EncodeForCounting(QStringView text, std::string& out,
                              Cp932::LineBreaks breaks = Cp932::LineBreaks::Keep)
{
    return Cp932::EncodeForCounting(View(text), out, breaks) == 0;
}

inline QString Decode(std::string_view bytes, Cp932::LineBreaks breaks = Cp932::LineBreaks::Keep)
{
    const std::u16string text = Cp932::Decode(bytes, breaks);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace QtShiftJis
