// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The 64-byte block form of the walk must cut every text exactly as the character iterator does.
#include "RandomText.h"
#include "analysis/ByteBlock.h"
#include "analysis/ShiftJis.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Roles
{
    std::vector<char> perByte; // 'S' single, 'L' lead, 'T' trail
};

std::vector<char> RolesByIterator(std::string_view text)
{
    std::vector<char> roles(text.size(), 'S');
    for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
        if (!c.doubleByte)
            continue;
        roles[c.position] = 'L';
        if (c.length == 2)
            roles[c.position + 1] = 'T';
    }
    return roles;
}

std::vector<char> RolesByBlocks(std::string_view text)
{
    std::vector<char> roles(text.size(), 'S');
    bool startsWithTrail = false;
    for (std::size_t offset = 0; offset < text.size(); offset += ByteBlock::Size) {
        const ByteBlock block(text, offset);
        const ShiftJis::BlockRoles r = ShiftJis::ClassifyBlock(block.LeadSet(), startsWithTrail);
        for (std::size_t i = 0; i < ByteBlock::Size && offset + i < text.size(); ++i) {
            if ((r.lead >> i) & 1)
                roles[offset + i] = 'L';
            if ((r.trail >> i) & 1)
                roles[offset + i] = 'T';
        }
    }
    return roles;
}

TEST(ShiftJisBlockWalk, AgreesWithTheCharacterIterator)
{
    std::mt19937 random(1207);
    for (int round = 0; round < 3000; ++round) {
        const std::string text = RandomShiftJisText(random, 300, true);
        ASSERT_EQ(RolesByBlocks(text), RolesByIterator(text)) << "round " << round;
    }
}

TEST(ShiftJisBlockWalk, LongRunsOfLeadBytesAcrossBlocks)
{
    for (std::size_t run = 60; run < 200; ++run) {
        for (const std::string prefix : {"", "a", "\x82"}) {
            const std::string text =
                prefix + std::string(run, '\x88') + "\x0A" + std::string(3, '\x81');
            ASSERT_EQ(RolesByBlocks(text), RolesByIterator(text))
                << run << " after " << prefix.size();
        }
    }
}

TEST(ShiftJisBlockWalk, LeadSetMatchesTheByteTest)
{
    std::string all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[static_cast<std::size_t>(b)] = static_cast<char>(b);
    for (std::size_t offset = 0; offset < all.size(); offset += ByteBlock::Size) {
        const std::uint64_t leadSet = ByteBlock(all, offset).LeadSet();
        for (std::size_t i = 0; i < ByteBlock::Size; ++i)
            EXPECT_EQ(((leadSet >> i) & 1) != 0, ShiftJis::IsLeadByte(all[offset + i]))
                << offset + i;
    }
}

TEST(ByteBlockTests, VectorAndPortableFormsAgree)
{
    // Every byte value at every place of a block, against ranges that wrap no value and ranges at
    // both ends of the byte.
    const ByteRange ranges[][3] = {{{'A', 'Z'}, {'a', 'z'}, {'0', '9'}},
                                   {{0x00, 0x00}, {0xFF, 0xFF}, {0x80, 0x80}},
                                   {{0x00, 0xFF}, {0x7F, 0x81}, {0x40, 0x40}}};
    std::mt19937 random(64);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = RandomShiftJisText(random, 200, true);
        for (std::size_t offset = 0; offset < text.size(); offset += ByteBlock::Size) {
            const ByteBlock vector(text, offset);
            const PortableByteBlock portable(text, offset);
            ASSERT_EQ(vector.LeadSet(), portable.LeadSet()) << round;
            const auto value = static_cast<unsigned char>(text[offset]);
            ASSERT_EQ(vector.Equal(value), portable.Equal(value)) << round;
            for (const auto& set : ranges)
                ASSERT_EQ(vector.InRanges(set), portable.InRanges(set)) << round;
        }
    }
}

} // namespace
