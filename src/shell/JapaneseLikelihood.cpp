// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "JapaneseLikelihood.h"

#include "JapaneseFrequencyTable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace JapaneseLikelihood {

namespace {

using namespace JapaneseFrequencyTable;

constexpr char16_t FirstHalfWidth = 0xFF61;
constexpr char16_t LastHalfWidthPunctuation = 0xFF65; // ｡｢｣､･
constexpr char16_t LastHalfWidth = 0xFF9F;
constexpr char16_t VoicedMark = 0xFF9E;
constexpr char16_t SemiVoicedMark = 0xFF9F;
constexpr long HalfWidthPunctuationCost = 8; // four bits

// The table spread over every UTF-16 unit, made once: a character's costs and its row of pairs
// are one index away.
struct Model
{
    std::array<std::uint8_t, 0x10000> cost;
    std::array<std::uint8_t, 0x10000> backoff{};
    std::array<std::uint32_t, 0x10000> rowBegin{};
    std::array<std::uint32_t, 0x10000> rowEnd{};
};

std::unique_ptr<Model> MakeModel()
{
    auto model = std::make_unique<Model>();
    model->cost.fill(UnseenCost);
    for (std::size_t i = 0; i < CharacterCount; ++i) {
        model->cost[Characters[i].character] = Characters[i].cost;
        model->backoff[Characters[i].character] = Characters[i].backoff;
    }
    for (std::size_t i = 0; i + 1 < PairRowCount; ++i) {
        model->rowBegin[PairRows[i].first] = PairRows[i].start;
        model->rowEnd[PairRows[i].first] = PairRows[i + 1].start;
    }
    return model;
}

const Model& TheModel()
{
    static const std::unique_ptr<Model> model = MakeModel();
    return *model;
}

long CostAfter(const Model& model, char16_t previous, char16_t c)
{
    if (previous == 0)
        return model.cost[c];
    const std::uint16_t* begin = PairSeconds + model.rowBegin[previous];
    const std::uint16_t* end = PairSeconds + model.rowEnd[previous];
    const std::uint16_t* found = std::lower_bound(begin, end, c);
    if (found != end && *found == c)
        return PairCosts[found - PairSeconds];
    return model.backoff[previous] + model.cost[c];
}

} // namespace

long Cost(std::u16string_view text)
{
    const Model& model = TheModel();
    long cost = 0;
    char16_t previous = 0; // none: the start, or after ASCII
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c < 0x80) {
            previous = 0;
            continue;
        }
        if (c >= FirstHalfWidth && c <= LastHalfWidth) {
            const HalfWidthForm& form = HalfWidthForms[c - FirstHalfWidth];
            if (c <= LastHalfWidthPunctuation)
                cost += HalfWidthPunctuationCost;
            c = form.full;
            const char16_t next = i + 1 < text.size() ? text[i + 1] : u'\0';
            const char16_t marked = next == VoicedMark       ? form.voiced
                                    : next == SemiVoicedMark ? form.semiVoiced
                                                             : 0;
            if (marked != 0) {
                c = marked;
                ++i;
            }
        }
        cost += CostAfter(model, previous, c);
        previous = c;
    }
    return cost;
}

} // namespace JapaneseLikelihood
