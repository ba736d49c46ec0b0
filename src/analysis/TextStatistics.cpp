#include "TextStatistics.h"

#include "Saturate.h"
#include "ShiftJis.h"

#include <array>
#include <cstring>

namespace {

// What a single byte does to the counts. Double-byte characters are told apart by the walk.
enum ByteRole : unsigned char
{
    OtherByte,
    LineFeed,
    CarriageReturn,
    Blank,
    TabByte,
    RoleCount
};

constexpr std::array<unsigned char, 256> MakeRoleTable()
{
    std::array<unsigned char, 256> table{};
    table[ShiftJis::LF] = LineFeed;
    table[ShiftJis::CR] = CarriageReturn;
    table[ShiftJis::Space] = Blank;
    table[ShiftJis::Tab] = TabByte;
    return table;
}

constexpr std::array<unsigned char, 256> RoleTable = MakeRoleTable();

struct ByteTally
{
    std::array<std::int64_t, RoleCount> single{};
    std::int64_t doubleByte = 0;
    std::int64_t doubleByteSpaces = 0;
    bool endsWithLineFeed = false;
};

ByteTally Tally(std::string_view text) noexcept
{
    ByteTally tally;
    bool lastWasLineFeed = false;
    for (const ShiftJis::Character c : ShiftJis::Characters(text)) {
        if (c.doubleByte) {
            ++tally.doubleByte;
            tally.doubleByteSpaces += c.code == ShiftJis::DoubleByteSpace;
            lastWasLineFeed = false;
        } else {
            const unsigned char role = RoleTable[c.code];
            ++tally.single[role];
            lastWasLineFeed = role == LineFeed;
        }
    }
    tally.endsWithLineFeed = lastWasLineFeed;
    return tally;
}

} // namespace

TextStatistics CountText(std::string_view text, const CountOptions& options,
                         std::int32_t doubleByteWeight) noexcept
{
    TextStatistics statistics;
    statistics.bytes = SaturateToInt32(static_cast<std::int64_t>(text.size()));
    // The writer's text ends at the first NUL byte, wherever it stands.
    if (const void* nul = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    if (text.empty())
        return statistics;

    const ByteTally tally = Tally(text);
    std::int64_t doubleByte = tally.doubleByte;
    if (!options.countDoubleByteSpace)
        doubleByte -= tally.doubleByteSpaces;
    std::int64_t characters = tally.single[OtherByte];
    if (options.countSpace)
        characters += tally.single[Blank];
    if (options.countTab)
        characters += tally.single[TabByte];
    characters = SaturatingAdd64(characters, SaturatingMultiply64(doubleByte, doubleByteWeight));
    statistics.characters = SaturateToInt32(characters);
    // A last line without its line feed is still a line.
    statistics.lines = SaturateToInt32(tally.single[LineFeed] + (tally.endsWithLineFeed ? 0 : 1));
    return statistics;
}
