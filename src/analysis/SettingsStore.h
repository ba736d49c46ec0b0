// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file as the settings sections see it: typed reads with defaults, and writes.
// The file layer (src/shell) implements it; the core only depends on this interface.

#include <cstdint>
#include <string>
#include <string_view>

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // Text values are UTF-8 (paths, the font name).
    virtual std::string ReadString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) = 0;
    virtual void WriteString(std::string_view section, std::string_view key,
                             std::string_view value) = 0;

    // Values the program keeps as Shift-JIS bytes (the paper sets, the word characters).
    virtual std::string ReadShiftJisString(std::string_view section, std::string_view key,
                                           std::string_view defaultValue) = 0;
    virtual void WriteShiftJisString(std::string_view section, std::string_view key,
                                     std::string_view value) = 0;

    virtual std::int32_t ReadInteger(std::string_view section, std::string_view key,
                                     std::int32_t defaultValue) = 0;
    virtual void WriteInteger(std::string_view section, std::string_view key,
                              std::int32_t value) = 0;

    virtual bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) = 0;
    virtual void WriteBool(std::string_view section, std::string_view key, bool value) = 0;
};
