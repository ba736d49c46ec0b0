#include "SjisText.h"

#include <cstdint>
#include <map>
#include <stdexcept>

namespace {

const std::map<char32_t, std::uint16_t> Others = {
    {0x3000, 0x8140}, {0x3001, 0x8141}, {0x3002, 0x8142}, {0xFF0C, 0x8143}, {0xFF0E, 0x8144},
    {0x30FB, 0x8145}, {0x309B, 0x814A}, {0x309C, 0x814B}, {0x30FC, 0x815B}, {0xFF08, 0x8169},
    {0xFF09, 0x816A}, {0x300C, 0x8175}, {0x300D, 0x8176}, {0x3014, 0x816B}, {0x3015, 0x816C},
    {0xFF5B, 0x816F}, {0xFF5D, 0x8170}, {0x3010, 0x8179}, {0x3011, 0x817A}, {0x300A, 0x8173},
    {0x300B, 0x8174}, {0x300E, 0x8177}, {0x300F, 0x8178}, {0x25CF, 0x819C}, {0x25CE, 0x819D},
    {0x25CB, 0x819B}, {0x25C6, 0x819F}, {0x25A1, 0x81A0}, {0x25C7, 0x819E}, {0x25A0, 0x81A1},
    {0xFFE5, 0x818F}, {0xFF5E, 0x8160}, {0x4ECA, 0x8DA1}, {0x65E5, 0x93FA}, {0x5929, 0x9356},
    {0x6C17, 0x8B43}, {0x660E, 0x96BE}, {0x6674, 0x90B0}, {0x7B54, 0x939A}, {0x539F, 0x8CB4},
    {0x7A3F, 0x8D65}, {0x7528, 0x9770}, {0x7D19, 0x8E86}, {0x60C5, 0x8FEE}, {0x5831, 0x95F1},
    {0x679A, 0x9687}, {0x6570, 0x9094}, {0x7DCF, 0x918D}, {0x884C, 0x8D73}, {0x6700, 0x8DC5},
    {0x7D42, 0x8F49},
};

std::uint16_t DoubleByte(char32_t c)
{
    if (c >= 0x3041 && c <= 0x3093) // hiragana
        return static_cast<std::uint16_t>(0x829F + (c - 0x3041));
    if (c >= 0x30A1 && c <= 0x30F6) { // katakana, which skip the trail byte 7F
        const unsigned offset = 0x40 + (c - 0x30A1);
        return static_cast<std::uint16_t>(0x8300 + offset + (offset >= 0x7F ? 1 : 0));
    }
    if (c >= 0xFF21 && c <= 0xFF3A)
        return static_cast<std::uint16_t>(0x8260 + (c - 0xFF21));
    if (c >= 0xFF41 && c <= 0xFF5A)
        return static_cast<std::uint16_t>(0x8281 + (c - 0xFF41));
    if (c >= 0xFF10 && c <= 0xFF19)
        return static_cast<std::uint16_t>(0x824F + (c - 0xFF10));
    const auto found = Others.find(c);
    if (found == Others.end())
        throw std::invalid_argument("character missing from the test encoder");
    return found->second;
}

} // namespace

std::string Sjis(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c >= 0xFF61 && c <= 0xFF9F) { // half-width katakana and punctuation
            out += static_cast<char>(0xA1 + (c - 0xFF61));
        } else {
            const std::uint16_t code = DoubleByte(c);
            out += static_cast<char>(code >> 8);
            out += static_cast<char>(code & 0xFF);
        }
    }
    return out;
}
