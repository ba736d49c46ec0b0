// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "WordCharacterSet.h"

#include "SettingsStore.h"
#include "ShiftJis.h"

#include <algorithm>

const char* const WordCharacterSet::RemovalMessage =
    "半角・全角のスペース, タブ, ハイフン(-) は英単語として数えられないため、\r\n"
    "「英単語と考える文字リスト」から削除されました。";
const char* const WordCharacterSet::RemovalCaption = "情報";

namespace {

constexpr std::string_view DefaultCharacterList = "@'";

// Characters that would break the blank and hyphen rules of the word count if they were word
// characters; the list never keeps them.
bool IsForbiddenInList(const ShiftJis::Character& c) noexcept
{
    if (c.doubleByte)
        return c.length == 2 && c.code == ShiftJis::DoubleByteSpace;
    return c.code == ShiftJis::Space || c.code == ShiftJis::Tab || c.code == ShiftJis::Hyphen;
}

} // namespace

WordCharacterSet::WordCharacterSet()
{
    SetCharacterList(DefaultCharacterList);
}

bool WordCharacterSet::IsWordCharacter(std::uint32_t code) const noexcept
{
    if (code < FSingleByte.size())
        return IsSingleByteWordCharacter(static_cast<unsigned char>(code));
    return FHasDoubleByte && std::find(FCodes.begin(), FCodes.end(), code) != FCodes.end();
}

bool WordCharacterSet::SetCharacterList(std::string_view text)
{
    // Removing whole characters leaves the cut of the rest unchanged, so one pass removes every
    // occurrence of all four kinds.
    std::string cleaned;
    cleaned.reserve(text.size());
    FCodes.clear();
    FSingleByte.fill(false);
    for (int b = 'A'; b <= 'Z'; ++b)
        FSingleByte[static_cast<std::size_t>(b)] = FSingleByte[static_cast<std::size_t>(b + 0x20)] =
            true;
    FHasDoubleByte = false;
    for (const ShiftJis::Character& c : ShiftJis::Characters(text)) {
        if (IsForbiddenInList(c))
            continue;
        cleaned.append(text.substr(c.position, c.length));
        FCodes.push_back(c.code);
        if (c.doubleByte)
            FHasDoubleByte = true;
        else
            FSingleByte[c.code] = true;
    }
    const bool removed = cleaned.size() != text.size();
    FCharacterList = std::move(cleaned);
    return removed;
}

namespace {
constexpr std::string_view WordSection = "Word";
} // namespace

bool ReadWordSettings(WordCharacterSet& set, SettingsStore& file)
{
    set.countDigits = file.ReadBool(WordSection, "Number", set.countDigits);
    const std::string list =
        file.ReadShiftJisString(WordSection, "CharList", set.GetCharacterList());
    return set.SetCharacterList(list);
}

void WriteWordSettings(const WordCharacterSet& set, SettingsStore& file)
{
    file.WriteBool(WordSection, "Number", set.countDigits);
    file.WriteShiftJisString(WordSection, "CharList", set.GetCharacterList());
}
