// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Counts are kept in 32 bits for the writer; sums are made in 64 bits and clamped, so that no
// text, however long, wraps a count around.

#include <cstdint>
#include <limits>

constexpr std::int32_t SaturateToInt32(std::int64_t value) noexcept
{
    constexpr std::int64_t high = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t low = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value > high ? high : value < low ? low : value);
}

// a + b for two counts, clamped to the 32-bit range.
constexpr std::int32_t SaturatingAdd(std::int32_t a, std::int32_t b) noexcept
{
    return SaturateToInt32(std::int64_t{a} + b);
}

// 64-bit arithmetic on counts that clamps instead of overflowing.
constexpr std::int64_t SaturatingMultiply64(std::int64_t a, std::int64_t b) noexcept
{
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? std::numeric_limits<std::int64_t>::min()
                                  : std::numeric_limits<std::int64_t>::max();
    return product;
}

constexpr std::int64_t SaturatingAdd64(std::int64_t a, std::int64_t b) noexcept
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b < 0 ? std::numeric_limits<std::int64_t>::min()
                     : std::numeric_limits<std::int64_t>::max();
    return sum;
}
