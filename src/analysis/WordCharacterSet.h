// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which characters make up English words: A-Z and a-z always, the digits while countDigits is on,
// and the writer's own list of extra characters.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class SettingsStore;

class WordCharacterSet
{
public:
    WordCharacterSet();

    bool countDigits = true;

    bool IsWordCharacter(std::uint32_t code) const noexcept;

    // Stores the list after removing every double-byte blank, blank, TAB and hyphen (whole
    // characters only). Returns true when something was removed, so that the caller can tell the
    // writer why the list changed.
    bool SetCharacterList(std::string_view text);
    const std::string& GetCharacterList() const noexcept { return FCharacterList; }
    // The codes of the listed characters, in list order.
    const std::vector<std::uint32_t>& Codes() const noexcept { return FCodes; }

    // The message shown when SetCharacterList removed characters (UTF-8, CR LF between its lines).
    static const char* const RemovalMessage;
    static const char* const RemovalCaption;

    // IsWordCharacter for a single-byte character, without a search of the list: the inner loop
    // of the word count.
    bool IsSingleByteWordCharacter(unsigned char byte) const noexcept
    {
        return FSingleByte[byte] || (countDigits && byte >= '0' && byte <= '9');
    }

private:
    std::string FCharacterList;
    std::vector<std::uint32_t> FCodes;
    std::array<bool, 256> FSingleByte{}; // letters and the single-byte characters of the list
    bool FHasDoubleByte = false;         // the list holds a double-byte character
};

// Section "Word" of the settings file. ReadWordSettings returns what SetCharacterList returned.
bool ReadWordSettings(WordCharacterSet& set, SettingsStore& file);
void WriteWordSettings(const WordCharacterSet& set, SettingsStore& file);
