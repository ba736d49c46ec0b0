#include "EucJp.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace EucJp {

namespace {

constexpr char16_t EscapeFirst = 0xDC00;
constexpr char16_t EscapeLast = 0xDCFF;

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
    std::memcpy(out.data() + start, utf16.data(), utf16.size() / 2 * 2);
}

bool IsEscape(char16_t c) noexcept
{
    return c >= EscapeFirst && c <= EscapeLast;
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
        // A byte that begins no character (or a NUL, which the editor cannot hold) is kept as an
        // escape of itself.
        out.push_back(static_cast<char16_t>(EscapeFirst + static_cast<unsigned char>(*in)));
        ++in;
        --left;
    }
    // NUL is no character of the editor's text; it travels as an escape like any lost byte.
    for (char16_t& c : out)
        if (c == 0)
            c = EscapeFirst;
}

bool Encode(std::u16string_view text, std::string& out)
{
    Converter converter("EUC-JP", "UTF-16LE");
    bool complete = true;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsEscape(text[i])) {
            out.push_back(static_cast<char>(text[i] & 0xFF));
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
