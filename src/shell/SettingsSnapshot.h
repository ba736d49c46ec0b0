// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a window would write to the settings file, key by key in the order written. Kept from the
// moment the window read the file, it tells which keys the window changed since: only those go
// into the file, merged into what is there now, so that a setting another window changed and
// wrote meanwhile is not put back by one that did not touch it.

#include "analysis/SettingsStore.h"

#include <string>
#include <string_view>
#include <vector>

class TIniFile;

class SettingsSnapshot : public SettingsStore
{
public:
    // A key read back gives what was written under it (names compared without regard to letter
    // case, as in the file), else the default.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;
    std::string ReadShiftJisString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) override;
    void WriteShiftJisString(std::string_view section, std::string_view key,
                             std::string_view value) override;
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t defaultValue) override;
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value) override;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) override;
    void WriteBool(std::string_view section, std::string_view key, bool value) override;

    // The same keys with the values `file` holds for them: what the window read, as it stood in
    // the file, so that a value the window reads otherwise than it writes it (a hand-edited one,
    // one out of range) counts as changed and is written back. A key the file lacks keeps this
    // snapshot's value: the window did not change it (it is written while the file lacks it).
    SettingsSnapshot AsHeldBy(TIniFile& file) const;
    // Whether some key's value differs from the one in `before`, or `before` lacks it.
    bool DiffersFrom(const SettingsSnapshot& before) const;
    // Writes into `file`, in this snapshot's order, each key whose value differs from the one in
    // `before` (or that `before` lacks), and each key that `file` lacks, so that a file made anew
    // holds every key.
    void WriteChangesTo(TIniFile& file, const SettingsSnapshot& before) const;

private:
    enum class Kind
    {
        Text, // UTF-8
        ShiftJis,
        Integer,
    };
    struct Value
    {
        std::string section;
        std::string key;
        Kind kind = Kind::Text;
        std::string text;
        std::int32_t number = 0;

        bool SameValue(const Value& other) const noexcept;
    };

    const Value* Find(std::string_view section, std::string_view key) const noexcept;
    bool Changed(const Value& value, const SettingsSnapshot& before) const noexcept;
    void Put(Value value);
    static void WriteTo(TIniFile& file, const Value& value);

    std::vector<Value> FValues; // in the order first written
};
