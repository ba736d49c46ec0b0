#include "Cp932Codec.h"

#include "Cp932Table.h"
#include "ShiftJis.h"

#include <cstdint>

// The loops below write through a raw pointer into output that was sized once for the worst case
// and trimmed at the end: the editor's whole text passes through here on every keystroke.

namespace Cp932 {

namespace {

constexpr char16_t EscapeFirst = 0xDC00; // U+DC00 + byte: a byte with no character
constexpr char16_t EscapeLast = 0xDCFF;
constexpr char16_t ParagraphSeparator = 0x2029;
constexpr char16_t HighSurrogateFirst = 0xD800;
constexpr char16_t LowSurrogateFirst = 0xDC00;
constexpr char16_t LowSurrogateLast = 0xDFFF;
constexpr char Unencodable = '?';
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
        if (unit < 0x80) {
            *p++ = static_cast<char>(unit);
        } else if (unit < 0x800) {
            *p++ = static_cast<char>(0xC0 | (unit >> 6));
            *p++ = static_cast<char>(0x80 | (unit & 0x3F));
        } else if (unit >= EscapeFirst && unit <= EscapeLast) {
            *p++ = static_cast<char>(unit & 0xFF);
        } else {
            *p++ = static_cast<char>(0xE0 | (unit >> 12));
            *p++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
};

// Every byte gives at most one UTF-16 unit; CR LF may lose its CR.
template <class Writer>
void DecodeInto(std::string_view bytes, LineBreaks breaks, Writer& writer)
{
    const bool convert = breaks == LineBreaks::Convert;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t position = 0;
    while (position < size) {
        const unsigned char byte = data[position];
        if (!ShiftJis::IsLeadByte(byte)) {
            ++position;
            if (byte == ShiftJis::CR && convert && position < size && data[position] == ShiftJis::LF)
                continue; // the LF that follows stands for the line break
            writer.Put(Cp932Table::SingleByte[byte]);
            continue;
        }
        const ShiftJis::Character c = ShiftJis::CharacterAt(bytes, position);
        position += c.length;
        const unsigned trail = c.code & 0xFF;
        const std::uint16_t unit =
            c.length == 2 ? Cp932Table::DoubleByte[Cp932Table::LeadRow(byte) * 256 + trail] : 0;
        if (unit != 0) {
            writer.Put(unit);
            continue;
        }
        // A pair without a character stays one character of two escaped bytes, so that the walk
        // over the encoded text cuts it the same way again.
        writer.Put(static_cast<char16_t>(EscapeFirst + byte));
        if (c.length == 2)
            writer.Put(static_cast<char16_t>(EscapeFirst + trail));
    }
}

inline std::uint16_t ShiftJisForm(char16_t c)
{
    return Cp932Table::EncodeBlocks[Cp932Table::EncodeBlockIndex[c >> 8] * 256u + (c & 0xFF)];
}

// Writes a BMP character that is not a surrogate; false when it had to be written as "?".
inline bool PutCharacter(char16_t c, char*& p, bool convert)
{
    if (c < 0x80) {
        if (c == ShiftJis::LF && convert)
            *p++ = CR;
        *p++ = static_cast<char>(c);
        return true;
    }
    const std::uint16_t form = ShiftJisForm(c);
    if (form > 0xFF) {
        *p++ = static_cast<char>(form >> 8);
        *p++ = static_cast<char>(form & 0xFF);
        return true;
    }
    if (form != 0) {
        *p++ = static_cast<char>(form);
        return true;
    }
    if (c == ParagraphSeparator && convert) {
        *p++ = CR;
        *p++ = LF;
        return true;
    }
    *p++ = Unencodable;
    return false;
}

// Writes the surrogate at text[i]: a byte escape becomes its byte; a surrogate pair (a character
// beyond the BMP, which code page 932 does not have) or a lone surrogate becomes "?". A pair wins
// over an escape: the decoder never writes a high surrogate, so one before an escape was typed.
bool PutSurrogate(std::u16string_view text, std::size_t& i, char*& p)
{
    const char16_t c = text[i++];
    if (c >= EscapeFirst && c <= EscapeLast) {
        *p++ = static_cast<char>(c & 0xFF);
        return true;
    }
    if (c < LowSurrogateFirst && i < text.size() && text[i] >= LowSurrogateFirst &&
        text[i] <= LowSurrogateLast)
        ++i;
    *p++ = Unencodable;
    return false;
}

// Length of the well-formed UTF-8 sequence at `position` (its code point in `code`), or 0 when
// the byte there begins none: no overlong forms, no surrogates, nothing above U+10FFFF.
std::size_t ReadUtf8(const unsigned char* s, std::size_t position, std::size_t size,
                     char32_t& code) noexcept
{
    const unsigned char b0 = s[position];
    const std::size_t left = size - position;
    auto cont = [&](std::size_t k) { return k < left && (s[position + k] & 0xC0) == 0x80; };
    if (b0 < 0x80) {
        code = b0;
        return 1;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF && cont(1)) {
        code = ((b0 & 0x1Fu) << 6) | (s[position + 1] & 0x3Fu);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF && cont(1) && cont(2)) {
        code = ((b0 & 0x0Fu) << 12) | ((s[position + 1] & 0x3Fu) << 6) | (s[position + 2] & 0x3Fu);
        const bool shortest = code >= 0x800;
        const bool surrogate = code >= HighSurrogateFirst && code <= LowSurrogateLast;
        return shortest && !surrogate ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4 && cont(1) && cont(2) && cont(3)) {
        code = ((b0 & 0x07u) << 18) | ((s[position + 1] & 0x3Fu) << 12) |
               ((s[position + 2] & 0x3Fu) << 6) | (s[position + 3] & 0x3Fu);
        return code >= 0x10000 && code <= 0x10FFFF ? 4 : 0;
    }
    return 0;
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

bool Encode(std::u16string_view text, std::string& out, LineBreaks breaks)
{
    const bool convert = breaks == LineBreaks::Convert;
    const std::size_t start = out.size();
    out.resize(start + 2 * text.size()); // a pair, or CR LF, is the most one unit gives
    char* p = out.data() + start;
    bool complete = true;
    for (std::size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        if ((c & 0xF800) == HighSurrogateFirst) {
            if (!PutSurrogate(text, i, p))
                complete = false;
            continue;
        }
        ++i;
        if (!PutCharacter(c, p, convert))
            complete = false;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return complete;
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

bool EncodeFromUtf8(std::string_view utf8, std::string& out, LineBreaks breaks)
{
    const bool convert = breaks == LineBreaks::Convert;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    const std::size_t start = out.size();
    out.resize(start + 2 * size); // LF becomes CR LF; no other sequence grows
    char* p = out.data() + start;
    bool complete = true;
    for (std::size_t position = 0; position < size;) {
        char32_t code = 0;
        const std::size_t length = ReadUtf8(s, position, size, code);
        if (length == 0 || code > 0xFFFF) {
            *p++ = Unencodable; // an invalid byte, or a character beyond the BMP
            complete = false;
            position += length == 0 ? 1 : length;
            continue;
        }
        position += length;
        if (!PutCharacter(static_cast<char16_t>(code), p, convert))
            complete = false;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return complete;
}

bool IsValidUtf8(std::string_view bytes) noexcept
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t position = 0; position < bytes.size();) {
        char32_t code = 0;
        const std::size_t length = ReadUtf8(s, position, bytes.size(), code);
        if (length == 0)
            return false;
        position += length;
    }
    return true;
}

} // namespace Cp932
