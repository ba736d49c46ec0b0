// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportFormat.h"

#include "Saturate.h"

#include <cstdlib>

std::string FormatRatio(std::int64_t numerator, std::int64_t denominator, int decimals)
{
    if (denominator == 0)
        numerator = 0, denominator = 1;
    const bool negative = (numerator < 0) != (denominator < 0) && numerator != 0;
    // 128-bit so that numerator * 10^decimals cannot overflow for any 64-bit input.
    unsigned __int128 n = numerator < 0 ? -static_cast<__int128>(numerator) : numerator;
    const unsigned __int128 d = denominator < 0 ? -static_cast<__int128>(denominator) : denominator;
    unsigned __int128 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    unsigned __int128 quotient = n / d;
    unsigned __int128 remainder = n % d;
    // Fraction digits, with the rounding decided from the exact remainder.
    unsigned __int128 fraction = remainder * scale / d;
    const unsigned __int128 rest = remainder * scale % d;
    if (rest * 2 >= d) {
        if (++fraction == scale) {
            fraction = 0;
            ++quotient;
        }
    }
    std::string integerPart;
    do {
        integerPart.insert(integerPart.begin(),
                           static_cast<char>('0' + static_cast<int>(quotient % 10)));
        quotient /= 10;
    } while (quotient != 0);
    std::string text = (negative && (integerPart != "0" || fraction != 0) ? "-" : "") + integerPart;
    if (decimals > 0) {
        std::string digits(static_cast<std::size_t>(decimals), '0');
        for (int i = decimals - 1; i >= 0; --i) {
            digits[static_cast<std::size_t>(i)] =
                static_cast<char>('0' + static_cast<int>(fraction % 10));
            fraction /= 10;
        }
        text += '.' + digits;
    }
    return text;
}

std::string FormatPercentage(std::int64_t count, std::int64_t total)
{
    return FormatRatio(SaturatingMultiply64(count, 100), total, 2);
}
