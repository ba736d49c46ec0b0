// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsSnapshot.h"

#include "TIniFile.h"

#include "analysis/Cp932Codec.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

bool SameName(std::string_view a, std::string_view b) noexcept
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

} // namespace

bool SettingsSnapshot::Value::SameValue(const Value& other) const noexcept
{
    return kind == other.kind && text == other.text && number == other.number;
}

const SettingsSnapshot::Value* SettingsSnapshot::Find(std::string_view section,
                                                      std::string_view key) const noexcept
{
    const auto found = std::ranges::find_if(FValues, [&](const Value& value) {
        return SameName(value.section, section) && SameName(value.key, key);
    });
    return found == FValues.end() ? nullptr : &*found;
}

void SettingsSnapshot::Put(Value value)
{
    if (const Value* existing = Find(value.section, value.key))
        *const_cast<Value*>(existing) = std::move(value);
    else
        FValues.push_back(std::move(value));
}

std::string SettingsSnapshot::ReadString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue)
{
    const Value* value = Find(section, key);
    if (value == nullptr)
        return std::string(defaultValue);
    switch (value->kind) {
    case Kind::Text:
        return value->text;
    case Kind::ShiftJis:
        return Cp932::DecodeToUtf8(value->text);
    case Kind::Integer:
        return std::to_string(value->number);
    }
    return std::string(defaultValue);
}

void SettingsSnapshot::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value)
{
    Put({std::string(section), std::string(key), Kind::Text, std::string(value), 0});
}

std::string SettingsSnapshot::ReadShiftJisString(std::string_view section, std::string_view key,
                                                 std::string_view defaultValue)
{
    const Value* value = Find(section, key);
    if (value == nullptr)
        return std::string(defaultValue);
    if (value->kind == Kind::ShiftJis)
        return value->text;
    std::string bytes;
    Cp932::EncodeFromUtf8(ReadString(section, key, defaultValue), bytes);
    return bytes;
}

void SettingsSnapshot::WriteShiftJisString(std::string_view section, std::string_view key,
                                           std::string_view value)
{
    Put({std::string(section), std::string(key), Kind::ShiftJis, std::string(value), 0});
}

std::int32_t SettingsSnapshot::ReadInteger(std::string_view section, std::string_view key,
                                           std::int32_t defaultValue)
{
    const Value* value = Find(section, key);
    return value != nullptr && value->kind == Kind::Integer ? value->number : defaultValue;
}

void SettingsSnapshot::WriteInteger(std::string_view section, std::string_view key,
                                    std::int32_t value)
{
    Put({std::string(section), std::string(key), Kind::Integer, {}, value});
}

bool SettingsSnapshot::ReadBool(std::string_view section, std::string_view key, bool defaultValue)
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void SettingsSnapshot::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteInteger(section, key, value ? 1 : 0);
}

void SettingsSnapshot::WriteTo(TIniFile& file, const Value& value)
{
    switch (value.kind) {
    case Kind::Text:
        file.WriteString(value.section, value.key, value.text);
        break;
    case Kind::ShiftJis:
        file.WriteShiftJisString(value.section, value.key, value.text);
        break;
    case Kind::Integer:
        file.WriteInteger(value.section, value.key, value.number);
        break;
    }
}

SettingsSnapshot SettingsSnapshot::AsHeldBy(TIniFile& file) const
{
    SettingsSnapshot held;
    for (const Value& value : FValues) {
        if (!file.Has(value.section, value.key)) {
            held.FValues.push_back(value);
            continue;
        }
        Value stored{value.section, value.key, value.kind, {}, 0};
        switch (value.kind) {
        case Kind::Text:
            stored.text = file.ReadString(value.section, value.key, {});
            break;
        case Kind::ShiftJis:
            stored.text = file.ReadShiftJisString(value.section, value.key, {});
            break;
        case Kind::Integer: {
            // A value that is no number is held as its text, which no number equals.
            constexpr auto low = std::numeric_limits<std::int32_t>::min();
            constexpr auto high = std::numeric_limits<std::int32_t>::max();
            stored.number = file.ReadInteger(value.section, value.key, low);
            if (stored.number != file.ReadInteger(value.section, value.key, high)) {
                stored.kind = Kind::Text;
                stored.text = file.ReadString(value.section, value.key, {});
            }
            break;
        }
        }
        held.FValues.push_back(std::move(stored));
    }
    return held;
}

bool SettingsSnapshot::Changed(const Value& value, const SettingsSnapshot& before) const noexcept
{
    const Value* old = before.Find(value.section, value.key);
    return old == nullptr || !old->SameValue(value);
}

bool SettingsSnapshot::DiffersFrom(const SettingsSnapshot& before) const
{
    return std::ranges::any_of(FValues, [&](const Value& value) { return Changed(value, before); });
}

void SettingsSnapshot::WriteChangesTo(TIniFile& file, const SettingsSnapshot& before) const
{
    for (const Value& value : FValues)
        if (Changed(value, before) || !file.Has(value.section, value.key))
            WriteTo(file, value);
}
