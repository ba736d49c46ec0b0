// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file: an INI file read and written key by key with the semantics of the classic
// profile functions (case-insensitive names, first occurrence wins, unknown lines kept).

#include "analysis/SettingsStore.h"

#include <string>
#include <vector>

class TIniFile : public SettingsStore
{
public:
    // Reads the file when it exists. The file's encoding is decided for the whole file: one that
    // begins with the UTF-8 byte-order mark is UTF-8 throughout and is written back so, mark
    // included; every other file, and a new one, is code page 932 and keeps its bytes exactly.
    explicit TIniFile(std::string path);
    // Writes pending changes; errors at that point are lost, so callers call UpdateFile() first.
    ~TIniFile() override;

    const std::string& FileName() const noexcept { return FPath; }
    bool Exists() const noexcept { return FExisted; }
    // Whether the file holds `key` in `section`, whatever its value.
    bool Has(std::string_view section, std::string_view key) const;

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

    // Writes the file now (atomically) when something changed; throws Exception
    // "%s に書き込めません" with the path when it cannot.
    void UpdateFile();

private:
    // Puts the value's bytes, already in the file's encoding, into the text.
    void StoreBytes(std::string_view section, std::string_view key, std::string_view bytes);

    std::string FPath;
    bool FExisted = false;
    bool FDirty = false;
    bool FUtf8 = false;              // the file began with the UTF-8 byte-order mark
    std::vector<std::string> FLines; // the file's lines as bytes, without line breaks
    std::string FLineBreak = "\n";   // a file made elsewhere keeps its CR LF
};

// Where the program keeps "Kotonami.ini": beside the executable when a settings file is already
// there or that folder is writable, else in $XDG_CONFIG_HOME/kotonami (~/.config/kotonami).
std::string SettingsFileName();
