// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Code page 932 (Shift-JIS) <-> Unicode, table driven, without allocation per character.
//
// Decoding is lossless: a byte or byte pair with no Unicode form becomes byte escapes
// (ByteEscape.h, a lone low surrogate per byte), and encoding turns such an escape back into that
// byte, so that text read and written again keeps its bytes. A Unicode character with no Shift-JIS
// form is written as "?" and reported to the caller.

#include <cstddef>
#include <string>
#include <string_view>

namespace Cp932 {

enum class LineBreaks
{
    Keep,   // bytes and characters pass unchanged
    Convert // decoding: CR LF -> LF; encoding: LF (and U+2029) -> CR LF
};

// Appends the decoded text to `out`.
void Decode(std::string_view bytes, std::u16string& out, LineBreaks breaks = LineBreaks::Keep);
std::u16string Decode(std::string_view bytes, LineBreaks breaks = LineBreaks::Keep);

// Appends the encoded bytes to `out`. Returns false when some character had no Shift-JIS form and
// was written as "?".
bool Encode(std::u16string_view text, std::string& out, LineBreaks breaks = LineBreaks::Keep);

// What the counting form makes of byte escapes (ByteEscape.h): the bytes themselves, for a text
// read as Shift-JIS, whose bytes the counts walk; or one geta mark per unit, for a text read in
// another encoding, whose bytes would read as other characters.
enum class Escapes
{
    Bytes,
    Geta
};

// The form handed to the counts: a character without a Shift-JIS form is written as the geta mark
// 〓 (0x81AC), one double-byte character. Returns how many characters were so written.
std::size_t EncodeForCounting(std::u16string_view text, std::string& out,
                              LineBreaks breaks = LineBreaks::Keep,
                              Escapes escapes = Escapes::Bytes);

// True when the table gives the character a Shift-JIS form (line feeds and NUL have none there).
bool HasForm(char16_t c) noexcept;

// UTF-8 forms, for the terminal and for the settings file.
void DecodeToUtf8(std::string_view bytes, std::string& out, LineBreaks breaks = LineBreaks::Keep);
std::string DecodeToUtf8(std::string_view bytes, LineBreaks breaks = LineBreaks::Keep);
bool EncodeFromUtf8(std::string_view utf8, std::string& out, LineBreaks breaks = LineBreaks::Keep);
// The counting form of UTF-8 text, line breaks kept: the geta mark for a character without a
// Shift-JIS form and for each unit of bytes that begins no character. Returns how many took it.
std::size_t EncodeFromUtf8ForCounting(std::string_view utf8, std::string& out);
// The most bytes the counting form of `utf8Size` bytes of UTF-8 takes: no unit gives more than
// two bytes for each of its own, and one byte is written to spare.
constexpr std::size_t CountingFormRoom(std::size_t utf8Size) noexcept
{
    return 2 * utf8Size + 1;
}
// The same form written at `out`, which has CountingFormRoom(utf8.size()) bytes: a novel's form
// made in place, without a string to grow.
struct CountingForm
{
    std::size_t length = 0;  // bytes written
    std::size_t missing = 0; // how many took the geta mark
    // Every line break is CR LF and there is no NUL. The form's CR, LF and NUL bytes are then
    // the text's own (they are ASCII, and no other unit gives any of them), so that the form
    // needs nothing more.
    bool onlyCrLfBreaks = true;
};
CountingForm EncodeFromUtf8ForCounting(std::string_view utf8, char* out) noexcept;

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes) noexcept;

} // namespace Cp932
