// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The count's two walks of a text, for tests that run each: the 16-byte walk every processor
// takes, and the 64-byte walk where the processor has it.

#include "analysis/WideBlocks.h"

#include <string>
#include <vector>

struct CountWalk
{
    std::string name;
    bool narrow = true;
};

// The walks this processor can take.
inline std::vector<CountWalk> CountWalks()
{
    KeepToNarrowBlocks(false);
    std::vector<CountWalk> walks{{"16-byte walk", true}};
    if (WideBlocksUsed())
        walks.push_back({"64-byte walk", false});
    return walks;
}

// Keeps the count to one walk while it lives.
class TakenWalk
{
public:
    explicit TakenWalk(const CountWalk& walk) { KeepToNarrowBlocks(walk.narrow); }
    ~TakenWalk() { KeepToNarrowBlocks(false); }
    TakenWalk(const TakenWalk&) = delete;
    TakenWalk& operator=(const TakenWalk&) = delete;
};
