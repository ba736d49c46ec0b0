// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EucJp.h"

#include "analysis/ByteEscape.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace EucJp {

namespace {

// One conversion descriptor, closed on every path.
class Converter
{
public:
    Converter(const char* to, const char* from) : FHandle(iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter()
    {
        if (Valid())
            iconv_close(FHandle);
    }
    bool Valid() const noexcept { return FHandle != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns false at a sequence it cannot convert (or an
    // unfinished one), with `in` standing on it.
    bool Convert(const char*& in, std::size_t& inLeft, std::string& out)
    {
        while (inLeft > 0) {
            char buffer[4096];
            char* to = buffer;
            std::size_t toLeft = sizeof buffer;
            char* from = const_cast<char*>(in);
            const std::size_t result = iconv(FHandle, &from, &inLeft, &to, &toLeft);
            in = from;
            out.append(buffer, static_cast<std::size_t>(to - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                iconv(FHandle, nullptr, nullptr, nullptr, nullptr); // back to the initial state
                return false;
            }
        }
        return true;
    }

private:
    iconv_t FHandle;
};

void AppendUnits(const std::string& utf16, std::u16string& out)
{
    const std::size_t start = out.size();
    out.resize(start + utf16.size() / 2);
    if (utf16.size() >= 2)
        std::memcpy(out.data() + start, utf16.data(), utf16.size() / 2 * 2);
}

using ByteEscape::IsEscape;

bool IsEucByte(std::string_view bytes, std::size_t i) noexcept
{
    return i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0xA1 &&
           static_cast<unsigned char>(bytes[i]) <= 0xFE;
}

// The bytes at the start of `bytes` that make one sequence of EUC-JP's form (a pair of bytes
// 0xA1-0xFE, 0x8E with one of them, 0x8F with two) but no character; else the one byte there.
std::size_t UnitLength(std::string_view bytes) noexcept
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead == 0x8F)
        return IsEucByte(bytes, 1) && IsEucByte(bytes, 2) ? 3 : 1;
    if (lead == 0x8E || (lead >= 0xA1 && lead <= 0xFE))
        return IsEucByte(bytes, 1) ? 2 : 1;
    return 1;
}

// Units of the character at text[i]: a surrogate pair is two.
std::size_t CharacterLength(std::u16string_view text, std::size_t i) noexcept
{
    const bool pair = text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

} // namespace

void Decode(std::string_view bytes, std::u16string& out)
{
    Converter converter("UTF-16LE", "EUC-JP");
    const char* in = bytes.data();
    std::size_t left = bytes.size();
    std::string units;
    while (left > 0) {
        const bool done = converter.Valid() && converter.Convert(in, left, units);
        AppendUnits(units, out);
        units.clear();
        if (done)
            break;
        // A sequence that makes no character is kept as escapes of its bytes, one unit.
        const std::size_t length = UnitLength({in, left});
        ByteEscape::AppendUnit({in, length}, out);
        in += length;
        left -= length;
    }
    // NUL is no character of the editor's text, and U+0085 would be a line break: each travels as
    // the escape of its byte.
    for (char16_t& c : out)
        if (c == 0 || c == 0x85)
            c = ByteEscape::Begin(static_cast<unsigned char>(c));
}

bool Encode(std::u16string_view text, std::string& out)
{
    Converter converter("EUC-JP", "UTF-16LE");
    bool complete = true;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsEscape(text[i])) {
            out.push_back(ByteEscape::ByteOf(text[i]));
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !IsEscape(text[end]))
            end += CharacterLength(text, end); // a pair stays whole, whatever its second unit
        const char* in = reinterpret_cast<const char*>(text.data() + i);
        std::size_t left = (end - i) * 2;
        while (left > 0) {
            if (converter.Valid() && converter.Convert(in, left, out))
                break;
            // A character without an EUC-JP form.
            const std::size_t at =
                static_cast<std::size_t>(reinterpret_cast<const char16_t*>(in) - text.data());
            const std::size_t length = CharacterLength(text, at);
            out.push_back('?');
            complete = false;
            in += 2 * length;
            left -= std::min(left, 2 * length);
        }
        i = end;
    }
    return complete;
}

} // namespace EucJp
