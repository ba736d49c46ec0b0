// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Running out of memory while counting is an exception the caller's command handler catches, never
// the end of the program: every allocation of this test program can be made to fail on purpose.
#include "analysis/AllDocuments.h"
#include "analysis/CharacterCensus.h"
#include "analysis/TextStatistics.h"
#include "analysis/WordCharacterSet.h"

#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

thread_local bool FailAllocations = false;

// Every allocation fails while it lives.
struct OutOfMemory
{
    OutOfMemory() { FailAllocations = true; }
    ~OutOfMemory() { FailAllocations = false; }
};

} // namespace

void* operator new(std::size_t size)
{
    if (FailAllocations)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

// A line with a note is read alone, which takes memory: with none to be had, each count that
// reads it says so by std::bad_alloc.
TEST(CountTextMemory, RunningOutIsAnExceptionNotAnEnd)
{
    const std::string text = Sjis("　吾輩は猫である［＃「猫」に傍点］。\r\n名前はまだ無い。\r\n");
    CountOptions asRead;
    asRead.excludeRuby = true;
    const TextStatistics expected = CountText(text, asRead);
    EXPECT_THROW(
        {
            OutOfMemory none;
            CountText(text, asRead);
        },
        std::bad_alloc);
    const std::string_view texts[] = {text};
    const WordCharacterSet words;
    EXPECT_THROW(
        {
            OutOfMemory none;
            SumStatistics(texts, std::span<const std::int64_t>(), asRead, words);
        },
        std::bad_alloc);
    EXPECT_THROW(
        {
            OutOfMemory none;
            SumCensus(texts, asRead);
        },
        std::bad_alloc);
    // Afterwards the count is as before.
    EXPECT_EQ(CountText(text, asRead).characters, expected.characters);
}

} // namespace
