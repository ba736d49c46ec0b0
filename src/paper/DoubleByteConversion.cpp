// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "DoubleByteConversion.h"

#include "analysis/ShiftJis.h"

#include <algorithm>
#include <array>

namespace {

constexpr unsigned char VoicedMark = 0xDE;     // ﾞ
constexpr unsigned char SemiVoicedMark = 0xDF; // ﾟ

// ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ (A6 … DD) as
// ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン
constexpr std::array<std::uint16_t, 0xDD - 0xA6 + 1> Katakana = {
    0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385, 0x8387, 0x8362, 0x815B, 0x8341,
    0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, 0x8350, 0x8352, 0x8354, 0x8356, 0x8358,
    0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B, 0x836C, 0x836D,
    0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384, 0x8386,
    0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393};

// ｶﾞ … ﾄﾞ (B6 … C4 with ﾞ) as ガギグゲゴザジズゼゾダヂヅデド
constexpr std::array<std::uint16_t, 0xC4 - 0xB6 + 1> VoicedKaToTo = {
    0x834B, 0x834D, 0x834F, 0x8351, 0x8353, 0x8355, 0x8357, 0x8359,
    0x835B, 0x835D, 0x835F, 0x8361, 0x8364, 0x8366, 0x8368};

// ﾊ … ﾎ (CA … CE): with ﾞ バビブベボ, with ﾟ パピプペポ
constexpr std::array<std::uint16_t, 5> VoicedHaToHo = {0x836F, 0x8372, 0x8375, 0x8378, 0x837B};
constexpr std::array<std::uint16_t, 5> SemiVoicedHaToHo = {0x8370, 0x8373, 0x8376, 0x8379, 0x837C};

struct Symbol
{
    unsigned char byte;
    std::uint16_t doubleByte;
};

// The blank, the ASCII symbols and the half-width middle dot.
constexpr std::array<Symbol, 34> Symbols = {{
    {0x20, 0x8140}, {0x21, 0x8149}, {0x22, 0x8168}, {0x23, 0x8194}, {0x24, 0x8190}, {0x25, 0x8193},
    {0x26, 0x8195}, {0x27, 0x8166}, {0x28, 0x8169}, {0x29, 0x816A}, {0x2A, 0x8196}, {0x2B, 0x817B},
    {0x2C, 0x8143}, {0x2D, 0x817C}, {0x2E, 0x8144}, {0x2F, 0x815E}, {0x3A, 0x8146}, {0x3B, 0x8147},
    {0x3C, 0x8183}, {0x3D, 0x8181}, {0x3E, 0x8184}, {0x3F, 0x8148}, {0x40, 0x8197}, {0x5B, 0x816D},
    {0x5C, 0x818F}, {0x5D, 0x816E}, {0x5E, 0x814F}, {0x5F, 0x8151}, {0x60, 0x8165}, {0x7B, 0x816F},
    {0x7C, 0x8162}, {0x7D, 0x8170}, {0x7E, 0x8160}, {0xA5, 0x8145},
}};

constexpr std::uint16_t WithMark(unsigned kana, unsigned char mark)
{
    return static_cast<std::uint16_t>(kana | mark << 8);
}

// The mark that may join `kana` into one voiced character: ｳ and ｶ … ﾄ take ﾞ, ﾊ … ﾎ take ﾞ or ﾟ.
bool Combines(unsigned char kana, unsigned char mark)
{
    if (mark == VoicedMark)
        return kana == 0xB3 || (kana >= 0xB6 && kana <= 0xC4) || (kana >= 0xCA && kana <= 0xCE);
    return mark == SemiVoicedMark && kana >= 0xCA && kana <= 0xCE;
}

// The table of one conversion call, looked up per byte through flat arrays (0: not converted).
class WidthConversion
{
public:
    WidthConversion(bool everything);
    std::string Run(std::string_view text) const;

private:
    std::array<std::uint16_t, 256> FSingle{};
    std::array<std::uint16_t, 2 * (0xCE - 0xB3 + 1)> FWithMark{}; // kana B3 … CE, ﾞ or ﾟ

    static void Put(char*& out, std::uint16_t doubleByte)
    {
        *out++ = static_cast<char>(doubleByte >> 8);
        *out++ = static_cast<char>(doubleByte & 0xFF);
    }
};

WidthConversion::WidthConversion(bool everything)
{
    const DoubleByteTable table = BuildDoubleByteTable();
    for (const auto& [key, doubleByte] : table) {
        const unsigned kana = key & 0xFF;
        const unsigned mark = key >> 8;
        if (mark != 0)
            FWithMark[2 * (kana - 0xB3) + (mark - VoicedMark)] = doubleByte;
        else if (everything || kana >= 0xA6)
            FSingle[kana] = doubleByte;
    }
    if (!everything)
        return;
    for (unsigned c = 'A'; c <= 'Z'; ++c)
        FSingle[c] = static_cast<std::uint16_t>(c + 0x821F);
    for (unsigned c = 'a'; c <= 'z'; ++c)
        FSingle[c] = static_cast<std::uint16_t>(c + 0x8220);
    for (unsigned c = '0'; c <= '9'; ++c)
        FSingle[c] = static_cast<std::uint16_t>(c + 0x821F);
}

// The output is gathered in a small buffer that stays in the cache and is appended in chunks,
// so that a long text is neither written twice over nor zero-filled first.
std::string WidthConversion::Run(std::string_view text) const
{
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    std::array<char, 16384> chunk;
    char* out = chunk.data();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t position = 0;
    while (position < text.size()) {
        if (out > chunk.data() + chunk.size() - 2) {
            result.append(chunk.data(), out);
            out = chunk.data();
        }
        const unsigned char c = bytes[position];
        if (ShiftJis::IsLeadByte(c)) {
            const std::size_t length = ShiftJis::CharacterLength(text, position);
            for (std::size_t i = 0; i < length; ++i)
                *out++ = static_cast<char>(bytes[position + i]);
            position += length;
            continue;
        }
        ++position;
        if (position < text.size() && Combines(c, bytes[position])) {
            Put(out, FWithMark[2 * (c - 0xB3) + (bytes[position] - VoicedMark)]);
            ++position;
        } else if (FSingle[c] != 0) {
            Put(out, FSingle[c]);
        } else {
            *out++ = static_cast<char>(c);
        }
    }
    result.append(chunk.data(), out);
    return result;
}

} // namespace

DoubleByteTable BuildDoubleByteTable()
{
    DoubleByteTable table;
    for (unsigned i = 0; i < Katakana.size(); ++i)
        table[static_cast<std::uint16_t>(0xA6 + i)] = Katakana[i];
    for (unsigned i = 0; i < VoicedKaToTo.size(); ++i)
        table[WithMark(0xB6 + i, VoicedMark)] = VoicedKaToTo[i];
    for (unsigned i = 0; i < VoicedHaToHo.size(); ++i) {
        table[WithMark(0xCA + i, VoicedMark)] = VoicedHaToHo[i];
        table[WithMark(0xCA + i, SemiVoicedMark)] = SemiVoicedHaToHo[i];
    }
    table[WithMark(0xB3, VoicedMark)] = 0x8394; // ｳﾞ as ヴ
    table[VoicedMark] = 0x814A;                 // ゛
    table[SemiVoicedMark] = 0x814B;             // ゜
    for (const Symbol& symbol : Symbols)
        table[symbol.byte] = symbol.doubleByte;
    return table;
}

std::string ConvertToDoubleBytes(std::string_view text)
{
    return WidthConversion(true).Run(text);
}

std::string ConvertKanaToDoubleBytes(std::string_view text)
{
    return WidthConversion(false).Run(text);
}

namespace {

bool IsLetterOrDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A word of one or two digits, which two half-width characters in one cell show well.
bool IsShortNumber(std::string_view word)
{
    return word.size() <= 2 &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string ConvertForSubmission(std::string_view text)
{
    const WidthConversion convert(true);
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    for (std::size_t position = 0; position < text.size();) {
        const char c = text[position];
        std::size_t end = position + ShiftJis::CharacterLength(text, position);
        if (IsLetterOrDigit(c)) {
            while (end < text.size() && IsLetterOrDigit(text[end]))
                ++end;
            const std::string_view word = text.substr(position, end - position);
            result += IsShortNumber(word) ? std::string(word) : convert.Run(word);
        } else if (c > ' ' && c <= '~') {
            result += convert.Run(text.substr(position, 1));
        } else {
            result.append(text.substr(position, end - position));
        }
        position = end;
    }
    return result;
}
