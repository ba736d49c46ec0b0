// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cp932Codec.h"

#include "ByteEscape.h"
#include "Cp932Table.h"
#include "ShiftJis.h"
#include "Utf8.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

// The loops below write through a raw pointer into output that was sized once for the worst case
// and trimmed at the end: the editor's whole text passes through here on every keystroke.
//
// Line breaks, when converted: reading turns CR LF into LF and leaves a lone CR or LF as it is;
// saving turns LF and U+2029 into CR LF and keeps a lone CR as CR. So bytes CR CR LF read as
// CR LF and save as CR CR LF again, and nothing but a lone LF changes on the way.
//
// UTF-8 for the terminal writes a byte escape as the raw byte, which is what the file holds; such
// output is then not well-formed UTF-8. UTF-8 coming in (settings file, command line) is taken
// strictly: each byte that begins no well-formed sequence is saved as "?".

namespace Cp932 {

namespace {

constexpr char16_t ParagraphSeparator = 0x2029;
constexpr char16_t HighSurrogateFirst = 0xD800;
constexpr char16_t LowSurrogateFirst = 0xDC00;
constexpr char16_t LowSurrogateLast = 0xDFFF;
constexpr char Unencodable = '?';
constexpr std::uint16_t GetaMark = 0x81AC;
constexpr char CR = static_cast<char>(ShiftJis::CR);
constexpr char LF = static_cast<char>(ShiftJis::LF);

struct Utf16Writer
{
    char16_t* p;
    void Put(char16_t unit) { *p++ = unit; }
};

// A byte escape goes out as the byte itself, so that a terminal shows what the file holds.
struct Utf8Writer
{
    char* p;
    void Put(char16_t unit)
    {
        if (ByteEscape::IsEscape(unit))
            *p++ = ByteEscape::ByteOf(unit);
        else
            Utf8::Write(unit, [this](char byte) { *p++ = byte; });
    }
};

inline std::uint16_t DecodedUnit(std::uint32_t code)
{
    return Cp932Table::DecodeUnits[Cp932Table::DecodeRowStart[code >> 8] + (code & 0xFF)];
}

// A character whose table unit is 0: NUL, a pair without a character, or a lead byte that ends
// the text. The last two stay one character of escaped bytes, so that the walk over the saved
// text cuts it the same way.
template <class Writer> void PutUnitless(ShiftJis::Character c, Writer& writer)
{
    if (!c.doubleByte) {
        writer.Put(0);
        return;
    }
    writer.Put(ByteEscape::Begin(static_cast<unsigned char>(c.code >> 8)));
    if (c.length == 2)
        writer.Put(ByteEscape::Continue(static_cast<unsigned char>(c.code & 0xFF)));
}

// Every byte gives at most one UTF-16 unit; CR LF may lose its CR. Single bytes and pairs take
// the same path through one table. The loop runs while a lead byte is sure to have its trail
// byte; a last byte goes through the same steps after it.
template <class Writer> void DecodeInto(std::string_view bytes, LineBreaks breaks, Writer& writer)
{
    // The code of a CR that may join the LF after it; no character has code 0x10000.
    const std::uint32_t joiningCR = breaks == LineBreaks::Convert ? ShiftJis::CR : 0x10000;
    const std::size_t size = bytes.size();
    std::size_t position = 0;
    while (position + 1 < size) {
        const ShiftJis::Character c = ShiftJis::CharacterAt(bytes, position);
        position += c.length;
        const std::uint16_t unit = DecodedUnit(c.code);
        if (c.code == joiningCR && bytes[position] == LF) [[unlikely]]
            continue; // the LF that follows stands for the line break
        if (unit == 0) [[unlikely]]
            PutUnitless(c, writer);
        else
            writer.Put(unit);
    }
    if (position < size) { // a last byte; a lead byte there is a character of its own
        const ShiftJis::Character c = ShiftJis::CharacterAt(bytes, position);
        const std::uint16_t unit = c.doubleByte ? 0 : DecodedUnit(c.code);
        if (unit == 0)
            PutUnitless(c, writer);
        else
            writer.Put(unit);
    }
}

inline std::uint16_t ShiftJisForm(std::uint32_t c)
{
    return Cp932Table::EncodeBlocks[Cp932Table::EncodeBlockIndex[(c >> 8) & 0xFF] * 256u +
                                    (c & 0xFF)];
}

// Writes a form from the table. Both bytes are always stored (the output keeps one byte to
// spare) and the pointer moves by the form's length, so that saving kana, kanji and ASCII runs
// along one path without a branch between them.
inline void PutForm(std::uint16_t form, char*& p)
{
    static_assert(std::endian::native == std::endian::little, "forms are stored little-endian");
    std::memcpy(p, &form, sizeof form);
    p += form > 0xFF ? 2 : 1;
}

// A character without a Shift-JIS form: "?" where the text is saved, the geta mark 〓 where it is
// counted (one double-byte character, as a typesetter marks a missing glyph).
struct Missing
{
    bool geta = false;
    bool escapesAsGeta = false; // a unit of byte escapes is one 〓 too
    std::size_t count = 0;

    char* Put(char* p)
    {
        ++count;
        if (geta) {
            *p++ = static_cast<char>(GetaMark >> 8);
            *p++ = static_cast<char>(GetaMark & 0xFF);
        } else {
            *p++ = Unencodable;
        }
        return p;
    }
};

// The helpers below take and return the output pointer rather than a reference to it, so that
// it stays in a register through the loops.

// The characters of the BMP that are no surrogates and that the table does not give: NUL, the
// line breaks that become CR LF, and those without a Shift-JIS form (counted in `missing`).
char* PutSpecial(char16_t c, char* p, bool convert, Missing& missing)
{
    if (c == 0) {
        *p++ = 0;
    } else if (convert && (c == ShiftJis::LF || c == ParagraphSeparator)) {
        *p++ = CR;
        *p++ = LF;
    } else {
        p = missing.Put(p);
    }
    return p;
}

// `lineFeed` is LF when line feeds become CR LF, and otherwise a unit with no form.
inline char* PutCharacter(char16_t c, char16_t lineFeed, char* p, bool convert, Missing& missing)
{
    const std::uint16_t form = ShiftJisForm(c);
    if (form != 0 && c != lineFeed) [[likely]] {
        PutForm(form, p);
        return p;
    }
    return PutSpecial(c, p, convert, missing);
}

// Units taken by the surrogate at text[i]: two for a surrogate pair, one otherwise.
std::size_t SurrogateLength(std::u16string_view text, std::size_t i)
{
    const bool pair = text[i] < LowSurrogateFirst && i + 1 < text.size() &&
                      text[i + 1] >= LowSurrogateFirst && text[i + 1] <= LowSurrogateLast;
    return pair ? 2 : 1;
}

// A byte escape becomes its byte, or with its unit one 〓 where escapes count so (a unit of zero
// bytes stays a NUL); a surrogate pair (a character beyond the BMP, which code page 932 does not
// have) or a lone surrogate is missing. A pair wins over an escape: the decoder never writes a
// high surrogate, so one before an escape was typed. Returns the units taken.
std::size_t PutSurrogate(std::u16string_view text, std::size_t i, char*& p, Missing& missing)
{
    const char16_t first = text[i];
    if (!ByteEscape::IsEscape(first)) {
        p = missing.Put(p);
        return SurrogateLength(text, i);
    }
    if (!missing.escapesAsGeta) {
        *p++ = ByteEscape::ByteOf(first);
        return 1;
    }
    const ByteEscape::Unit unit = ByteEscape::UnitAt(text, i);
    if (unit.nul)
        *p++ = 0;
    else
        p = missing.Put(p);
    return unit.length;
}

} // namespace

void Decode(std::string_view bytes, std::u16string& out, LineBreaks breaks)
{
    const std::size_t start = out.size();
    out.resize(start + bytes.size());
    Utf16Writer writer{out.data() + start};
    DecodeInto(bytes, breaks, writer);
    out.resize(static_cast<std::size_t>(writer.p - out.data()));
}

std::u16string Decode(std::string_view bytes, LineBreaks breaks)
{
    std::u16string out;
    Decode(bytes, out, breaks);
    return out;
}

namespace {

void EncodeInto(std::u16string_view text, std::string& out, LineBreaks breaks, Missing& missing)
{
    const bool convert = breaks == LineBreaks::Convert;
    const char16_t lineFeed = convert ? ShiftJis::LF : 0xFFFF;
    const std::size_t start = out.size();
    // A pair, or CR LF, is the most one unit gives; one byte more for PutForm.
    out.resize(start + 2 * text.size() + 1);
    char* p = out.data() + start;
    for (std::size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        if ((c & 0xF800) == HighSurrogateFirst) [[unlikely]] {
            i += PutSurrogate(text, i, p, missing);
            continue;
        }
        ++i;
        p = PutCharacter(c, lineFeed, p, convert, missing);
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
}

} // namespace

bool Encode(std::u16string_view text, std::string& out, LineBreaks breaks)
{
    Missing missing;
    EncodeInto(text, out, breaks, missing);
    return missing.count == 0;
}

std::size_t EncodeForCounting(std::u16string_view text, std::string& out, LineBreaks breaks,
                              Escapes escapes)
{
    Missing missing{true, escapes == Escapes::Geta};
    EncodeInto(text, out, breaks, missing);
    return missing.count;
}

bool HasForm(char16_t c) noexcept
{
    return ShiftJisForm(c) != 0;
}

void DecodeToUtf8(std::string_view bytes, std::string& out, LineBreaks breaks)
{
    const std::size_t start = out.size();
    out.resize(start + 3 * bytes.size()); // half-width katakana: one byte, three in UTF-8
    Utf8Writer writer{out.data() + start};
    DecodeInto(bytes, breaks, writer);
    out.resize(static_cast<std::size_t>(writer.p - out.data()));
}

std::string DecodeToUtf8(std::string_view bytes, LineBreaks breaks)
{
    std::string out;
    DecodeToUtf8(bytes, out, breaks);
    return out;
}

namespace {

// The character of a three-byte UTF-8 sequence in the low three bytes of `bytes`, first byte
// lowest.
inline std::uint32_t ThreeByteCode(std::uint64_t bytes) noexcept
{
    const auto low = static_cast<std::uint32_t>(bytes);
    return (low & 0x0F) << 12 | (low >> 2 & 0xFC0) | (low >> 16 & 0x3F);
}

// UTF-8 to Shift-JIS. For saving, an invalid byte or a character beyond the BMP is missing ("?");
// for counting, the bytes that begin no character are missing as one unit each, as the byte
// escapes of a file are (the geta mark). Converts the bytes from `position` up to `end` (a
// sequence may run past it, up to the text's `size`) and returns where the output ends; `p` has
// room for two bytes for each byte read, and one more.
char* EncodeUtf8Run(const unsigned char* s, std::size_t& reached, std::size_t end, std::size_t size,
                    char* p, LineBreaks breaks, Missing& missing, bool& onlyCrLfBreaks)
{
    std::size_t position = reached; // in a register through the loop, not behind a reference
    const bool convert = breaks == LineBreaks::Convert;
    const char16_t lineFeed = convert ? ShiftJis::LF : 0xFFFF;
    while (position < end) {
        // Japanese prose is runs of three-byte characters with double-byte forms: they take
        // the short way, two at a time while eight bytes can be read, then one at a time. Only
        // the shortest form of a character is taken (a surrogate has no Shift-JIS form).
        while (end - position >= 8) {
            std::uint64_t bytes = 0;
            std::memcpy(&bytes, s + position, sizeof bytes);
            if ((bytes & 0xC0C0F0C0C0F0ULL) != 0x8080E08080E0ULL)
                break;
            const std::uint32_t first = ThreeByteCode(bytes);
            const std::uint32_t second = ThreeByteCode(bytes >> 24);
            const std::uint32_t firstForm = ShiftJisForm(first);
            const std::uint32_t secondForm = ShiftJisForm(second);
            // Both are double-byte forms (above 0xFF) of characters from U+0800 on.
            if (((first >> 11) == 0) | ((second >> 11) == 0) | ((firstForm >> 8) == 0) |
                ((secondForm >> 8) == 0))
                break;
            const std::uint32_t both = firstForm | secondForm << 16;
            std::memcpy(p, &both, sizeof both);
            p += 4;
            position += 6;
        }
        while (end - position >= 3) {
            std::uint32_t bytes = s[position] | s[position + 1] << 8 | s[position + 2] << 16;
            if ((bytes & 0xC0C0F0) != 0x8080E0)
                break;
            const std::uint32_t code = ThreeByteCode(bytes);
            const std::uint16_t form = ShiftJisForm(code);
            if (code < 0x800 || form <= 0xFF)
                break;
            std::memcpy(p, &form, sizeof form);
            p += 2;
            position += 3;
        }
        if (position >= end)
            break;
        const unsigned char b0 = s[position];
        // ASCII is its own Shift-JIS form (NUL too); only a line feed may become CR LF.
        if (b0 < 0x80 && b0 != lineFeed) [[likely]] {
            if (b0 < 0x0E && (b0 == ShiftJis::CR || b0 == ShiftJis::LF || b0 == 0)) {
                const bool paired =
                    b0 == ShiftJis::CR
                        ? position + 1 < size && s[position + 1] == ShiftJis::LF
                        : b0 == ShiftJis::LF && position > 0 && s[position - 1] == ShiftJis::CR;
                onlyCrLfBreaks = onlyCrLfBreaks && paired;
            }
            *p++ = static_cast<char>(b0);
            ++position;
            continue;
        }
        char32_t code = 0;
        const std::size_t length = Utf8::Read(s, position, size, code);
        if (length == 0 && missing.geta) {
            p = missing.Put(p);
            position += Utf8::InvalidLength(s, position, size);
            continue;
        }
        if (length == 0 || code > 0xFFFF) {
            p = missing.Put(p); // an invalid byte, or a character beyond the BMP
            position += length == 0 ? 1 : length;
            continue;
        }
        position += length;
        p = PutCharacter(static_cast<char16_t>(code), lineFeed, p, convert, missing);
    }
    reached = position;
    return p;
}

void EncodeUtf8Into(std::string_view utf8, std::string& out, LineBreaks breaks, Missing& missing)
{
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    // LF may become CR LF, and a single byte that begins no character may become the two bytes
    // of the geta mark; nothing grows more than twice, but Japanese text shrinks by a third. The
    // output grows a piece at a time, so that a whole novel is not first filled with zeros twice
    // over. One byte more for PutForm, four for a sequence that runs over the piece's end.
    constexpr std::size_t Piece = std::size_t{1} << 16;
    std::size_t written = out.size();
    for (std::size_t position = 0; position < size;) {
        const std::size_t pieceEnd = std::min(size, position + Piece);
        const std::size_t room = written + 2 * (pieceEnd - position + 4) + 1;
        if (out.size() < room)
            out.resize(std::max(room, written + (size - position) + Piece));
        bool onlyCrLfBreaks = true; // asked of the counting form in place only
        char* const p = EncodeUtf8Run(s, position, pieceEnd, size, out.data() + written, breaks,
                                      missing, onlyCrLfBreaks);
        written = static_cast<std::size_t>(p - out.data());
    }
    out.resize(written);
}

} // namespace

bool EncodeFromUtf8(std::string_view utf8, std::string& out, LineBreaks breaks)
{
    Missing missing;
    EncodeUtf8Into(utf8, out, breaks, missing);
    return missing.count == 0;
}

std::size_t EncodeFromUtf8ForCounting(std::string_view utf8, std::string& out)
{
    Missing missing{true};
    EncodeUtf8Into(utf8, out, LineBreaks::Keep, missing);
    return missing.count;
}

CountingForm EncodeFromUtf8ForCounting(std::string_view utf8, char* out) noexcept
{
    Missing missing{true};
    CountingForm form;
    std::size_t position = 0;
    const char* const end =
        EncodeUtf8Run(reinterpret_cast<const unsigned char*>(utf8.data()), position, utf8.size(),
                      utf8.size(), out, LineBreaks::Keep, missing, form.onlyCrLfBreaks);
    form.length = static_cast<std::size_t>(end - out);
    form.missing = missing.count;
    return form;
}

bool IsValidUtf8(std::string_view bytes) noexcept
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    for (std::size_t position = 0; position < size;) {
        // ASCII eight bytes at a time, and three-byte characters (the shortest forms, no
        // surrogates) two at a time: the bulk of a novel passes here.
        while (size - position >= 8) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, s + position, sizeof eight);
            if ((eight & 0x8080808080808080ULL) == 0) {
                position += 8;
                continue;
            }
            const std::uint32_t first = ThreeByteCode(eight);
            const std::uint32_t second = ThreeByteCode(eight >> 24);
            const auto character = [](std::uint32_t code) {
                return code >= 0x800 && (code & 0xF800) != 0xD800;
            };
            if ((eight & 0xC0C0F0C0C0F0ULL) != 0x8080E08080E0ULL || !character(first) ||
                !character(second))
                break;
            position += 6;
        }
        if (position >= size)
            break;
        char32_t code = 0;
        const std::size_t length = Utf8::Read(s, position, size, code);
        if (length == 0)
            return false;
        position += length;
    }
    return true;
}

} // namespace Cp932
