// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "VerticalGlyphs.h"

#include <string_view>

namespace {

constexpr std::u16string_view Turned =
    u"（）「」『』【】〔〕［］｛｝〈〉《》＜＞ー－―‐—…‥～〜＝＿→←｜：；";
constexpr std::u16string_view UpperRight = u"、。，．";
constexpr std::u16string_view SmallKana =
    u"ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶㇰㇱㇲㇳㇴㇵㇶㇷㇸㇹㇺㇻㇼㇽㇾㇿ";

} // namespace

VerticalForm VerticalFormOf(char16_t ch) noexcept
{
    if (UpperRight.find(ch) != std::u16string_view::npos)
        return VerticalForm::UpperRight;
    if (SmallKana.find(ch) != std::u16string_view::npos)
        return VerticalForm::SmallKana;
    if (Turned.find(ch) != std::u16string_view::npos)
        return VerticalForm::Turned;
    return VerticalForm::Upright;
}
