// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoundedPattern.h"

#define PCRE2_CODE_UNIT_WIDTH 32
#include <pcre2.h>

#include <string>

namespace {

// Enough for any heading pattern on a line of heading length; a runaway pattern meets them in a
// few milliseconds.
constexpr std::uint32_t MatchLimit = 200000;
constexpr std::uint32_t DepthLimit = 2000;
constexpr std::uint32_t HeapLimitKiB = 4096;

} // namespace

struct BoundedPattern::Compiled
{
    pcre2_code* code = nullptr;
    pcre2_match_context* context = nullptr;

    ~Compiled()
    {
        pcre2_match_context_free(context);
        pcre2_code_free(code);
    }
};

BoundedPattern::BoundedPattern(std::unique_ptr<Compiled> compiled) : FCompiled(std::move(compiled))
{
}

BoundedPattern::~BoundedPattern() = default;

std::unique_ptr<BoundedPattern> BoundedPattern::Make(std::u32string_view pattern)
{
    auto compiled = std::make_unique<Compiled>();
    int error = 0;
    PCRE2_SIZE offset = 0;
    // Each unit of the text is one character: the text's characters are all single units but for
    // the rare ones beyond the first plane, and its byte escapes are no UTF at all.
    compiled->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                   PCRE2_ALT_BSUX, &error, &offset, nullptr);
    compiled->context = pcre2_match_context_create(nullptr);
    if (compiled->code == nullptr || compiled->context == nullptr)
        return nullptr;
    pcre2_set_match_limit(compiled->context, MatchLimit);
    pcre2_set_depth_limit(compiled->context, DepthLimit);
    pcre2_set_heap_limit(compiled->context, HeapLimitKiB);
    return std::unique_ptr<BoundedPattern>(new BoundedPattern(std::move(compiled)));
}

bool BoundedPattern::Search(std::u16string_view text) const
{
    const std::u32string units(text.begin(), text.end());
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(FCompiled->code, nullptr);
    if (data == nullptr)
        return false;
    const int result = pcre2_match(FCompiled->code, reinterpret_cast<PCRE2_SPTR>(units.data()),
                                   units.size(), 0, 0, data, FCompiled->context);
    pcre2_match_data_free(data);
    if (result == PCRE2_ERROR_MATCHLIMIT || result == PCRE2_ERROR_DEPTHLIMIT ||
        result == PCRE2_ERROR_HEAPLIMIT || result == PCRE2_ERROR_NOMEMORY)
        FGaveUp.store(true, std::memory_order_relaxed);
    return result >= 0;
}
