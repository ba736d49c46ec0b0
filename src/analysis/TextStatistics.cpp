#include "TextStatistics.h"
#include "analysis/BeforeNul.h"

#include "ByteBlock.h"
#include "Saturate.h"
#include "ShiftJis.h"
#include "TextAsRead.h"

#include <algorithm>
#include <bit>

#include <array>
#include <cstring>

namespace {

struct Tally
{
    std::int64_t singleByte = 0; // counted single-byte characters (no CR, LF or switched-off blank)
    std::int64_t lineFeeds = 0;
    std::int64_t doubleByte = 0;
    std::int64_t doubleByteSpaces = 0;
    bool endsWithLineFeed = false;
};

// The hot loop of the live panel, 64 bytes at a time: the walk marks the lead and trail bytes
// of each block and the sums are population counts of masks.
Tally TallyText(std::string_view text, const CountOptions& options) noexcept
{
    Tally tally;
    bool startsWithTrail = false;
    std::uint64_t lastWasLeadBlank = 0; // byte 63 of the block before was 0x81
    for (std::size_t offset = 0; offset < text.size(); offset += ByteBlock::Size) {
        const ByteBlock block(text, offset);
        const std::size_t valid = std::min(text.size() - offset, ByteBlock::Size);
        const std::uint64_t inText = valid == ByteBlock::Size ? ~0ULL : (1ULL << valid) - 1;
        const ShiftJis::BlockRoles roles =
            ShiftJis::ClassifyBlock(block.LeadSet(), startsWithTrail);
        const std::uint64_t singles = ~(roles.lead | roles.trail) & inText;
        const std::uint64_t lineFeeds = singles & block.Equal(ShiftJis::LF);
        std::uint64_t uncounted = lineFeeds | block.Equal(ShiftJis::CR);
        if (!options.countSpace)
            uncounted |= block.Equal(ShiftJis::Space);
        if (!options.countTab)
            uncounted |= block.Equal(ShiftJis::Tab);
        if (!options.countDoubleByteSpace) {
            // Double-byte blanks are only told apart when they are not counted.
            const std::uint64_t blankLeads = block.Equal(0x81);
            tally.doubleByteSpaces += std::popcount(roles.trail & inText & block.Equal(0x40) &
                                                    ((blankLeads << 1) | lastWasLeadBlank));
            lastWasLeadBlank = blankLeads >> 63;
        }
        tally.singleByte += std::popcount(singles & ~uncounted);
        tally.lineFeeds += std::popcount(lineFeeds);
        tally.doubleByte += std::popcount(roles.lead & inText);
        if (offset + valid == text.size())
            tally.endsWithLineFeed = (lineFeeds >> (valid - 1)) & 1;
    }
    return tally;
}

} // namespace

TextStatistics CountText(std::string_view text, const CountOptions& options,
                         std::int32_t doubleByteWeight) noexcept
{
    if (options.excludeRuby && MayHoldRubyOrNotes(text)) {
        TextStatistics asRead = CountText(TextAsRead(text), WithRuby(options), doubleByteWeight);
        asRead.bytes = SaturateToInt32(static_cast<std::int64_t>(text.size()));
        return asRead;
    }
    TextStatistics statistics;
    statistics.bytes = SaturateToInt32(static_cast<std::int64_t>(text.size()));
    // The writer's text ends at the first NUL byte, wherever it stands.
    if (text.empty())
        return statistics;
    text = BeforeNul(text);
    if (text.empty())
        return statistics;

    const Tally tally = TallyText(text, options);
    std::int64_t doubleByte = tally.doubleByte;
    if (!options.countDoubleByteSpace)
        doubleByte -= tally.doubleByteSpaces;
    std::int64_t characters = tally.singleByte;
    characters = SaturatingAdd64(characters, SaturatingMultiply64(doubleByte, doubleByteWeight));
    statistics.characters = SaturateToInt32(characters);
    // A last line without its line feed is still a line.
    statistics.lines = SaturateToInt32(tally.lineFeeds + (tally.endsWithLineFeed ? 0 : 1));
    return statistics;
}
