// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one bridge between Qt's Unicode strings and the program's Shift-JIS bytes, through the
// program's codec. Header only, so that every GUI target can use it.

#include "analysis/Cp932Codec.h"

#include <QString>
#include <QStringView>
#include <QTextBlock>
#include <QTextBlockUserData>

#include <string>
#include <string_view>
#include <utility>

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
// double-byte character. False when some character took the mark. `escapes` as the codec's.
inline bool EncodeForCounting(QStringView text, std::string& out,
                              Cp932::LineBreaks breaks = Cp932::LineBreaks::Keep,
                              Cp932::Escapes escapes = Cp932::Escapes::Bytes)
{
    return Cp932::EncodeForCounting(View(text), out, breaks, escapes) == 0;
}

inline QString Decode(std::string_view bytes, Cp932::LineBreaks breaks = Cp932::LineBreaks::Keep)
{
    const std::u16string text = Cp932::Decode(bytes, breaks);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The bytes a line had in its file, kept with its block for as long as the block is unchanged:
// code page 932 gives some characters two byte pairs, and decoding picks one character for both,
// so only the file's own bytes say which pair the writer's file holds.
class OriginalBytes : public QTextBlockUserData
{
public:
    explicit OriginalBytes(std::string bytes) : Bytes(std::move(bytes)) {}
    const std::string Bytes;
};

// Appends the Shift-JIS form of a block (a logical line, without its break) to `out`: the file's
// bytes while the block keeps them, else its text encoded. False as Encode.
inline bool EncodeBlock(const QTextBlock& block, std::string& out,
                        Cp932::Escapes escapes = Cp932::Escapes::Bytes)
{
    if (const auto* kept = dynamic_cast<const OriginalBytes*>(block.userData())) {
        out += kept->Bytes;
        return true;
    }
    return EncodeForCounting(block.text(), out, Cp932::LineBreaks::Keep, escapes);
}

} // namespace QtShiftJis
