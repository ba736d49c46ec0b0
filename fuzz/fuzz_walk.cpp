// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The block walk and the character iterator must cut any bytes the same way.
#include "analysis/ByteBlock.h"
#include "analysis/ShiftJis.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<unsigned char> roles(size, 0); // 0 single, 1 lead, 2 trail
    for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
        if (c.length == 0 || c.position + c.length > size)
            std::abort();
        if (c.doubleByte) {
            roles[c.position] = 1;
            if (c.length == 2)
                roles[c.position + 1] = 2;
        }
    }
    bool startsWithTrail = false;
    for (std::size_t offset = 0; offset < size; offset += ByteBlock::Size) {
        const ByteBlock block(text, offset);
        const ShiftJis::BlockRoles r = ShiftJis::ClassifyBlock(block.LeadSet(), startsWithTrail);
        for (std::size_t i = 0; i < ByteBlock::Size && offset + i < size; ++i) {
            const unsigned char role = ((r.lead >> i) & 1) ? 1 : ((r.trail >> i) & 1) ? 2 : 0;
            if (role != roles[offset + i])
                std::abort();
        }
    }
    return 0;
}
