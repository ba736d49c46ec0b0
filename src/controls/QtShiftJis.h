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

inline QString Decode(std::string_view bytes, Cp932::LineBreaks breaks = Cp932::LineBreaks::Keep)
{
    const std::u16string text = Cp932::Decode(bytes, breaks);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace QtShiftJis
