// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TIniFile.h"

#include "Exceptions.h"
#include "ProfileText.h"
#include "TextLines.h"
#include "UsefulFunc.h"

#include "analysis/Cp932Codec.h"
#include "analysis/ShiftJis.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// Values are read up to this many bytes, as the profile functions deliver them.
constexpr std::size_t MaxValueBytes = 1023;

// A value cut to the limit without splitting a UTF-8 character.
std::string CutUtf8(std::string value)
{
    if (value.size() <= MaxValueBytes)
        return value;
    std::size_t size = MaxValueBytes;
    while (size > 0 && (static_cast<unsigned char>(value[size]) & 0xC0) == 0x80)
        --size;
    value.resize(size);
    return value;
}

// A value cut to the limit without splitting a Shift-JIS character.
std::string CutShiftJis(std::string value)
{
    value.resize(ShiftJis::WholeCharactersPrefix(value, MaxValueBytes));
    return value;
}

// A line break in a value would end its line and turn the rest into a line of its own.
std::string_view FirstLineOf(std::string_view value) noexcept
{
    return value.substr(0, value.find_first_of("\r\n"));
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

TIniFile::TIniFile(std::string path) : FPath(std::move(path))
{
    struct stat info
    {
    };
    FExisted = ::stat(FPath.c_str(), &info) == 0;
    if (!FExisted || !UsefulFunc::IsFileReadable(FPath))
        return;
    const std::string bytes = UsefulFunc::ReadFileBytes(FPath);
    std::string_view text = bytes;
    // A file that begins with the byte-order mark was written as UTF-8 (by hand, usually) and
    // stays so; the mark is not part of its first line.
    FUtf8 = text.starts_with(Utf8Mark);
    if (FUtf8)
        text.remove_prefix(Utf8Mark.size());
    FLineBreak = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    FLines = TextLines::Split(text);
}

TIniFile::~TIniFile()
{
    try {
        UpdateFile();
    } catch (const Exception&) {
        // Callers that care call UpdateFile() themselves before the object goes.
    }
}

bool TIniFile::Has(std::string_view section, std::string_view key) const
{
    return ProfileText::Find(FLines, section, key).has_value();
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue)
{
    const auto value = ProfileText::Find(FLines, section, key);
    if (!value)
        return std::string(defaultValue);
    return FUtf8 ? CutUtf8(*value) : Cp932::DecodeToUtf8(CutShiftJis(*value));
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    value = FirstLineOf(value);
    if (FUtf8) {
        StoreBytes(section, key, value);
        return;
    }
    std::string bytes;
    Cp932::EncodeFromUtf8(value, bytes);
    StoreBytes(section, key, bytes);
}

std::string TIniFile::ReadShiftJisString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue)
{
    const auto value = ProfileText::Find(FLines, section, key);
    if (!value)
        return std::string(defaultValue);
    if (!FUtf8)
        return CutShiftJis(*value);
    std::string bytes;
    Cp932::EncodeFromUtf8(CutUtf8(*value), bytes);
    return bytes;
}

void TIniFile::WriteShiftJisString(std::string_view section, std::string_view key,
                                   std::string_view value)
{
    value = FirstLineOf(value);
    if (FUtf8)
        StoreBytes(section, key, Cp932::DecodeToUtf8(value));
    else
        StoreBytes(section, key, value);
}

void TIniFile::StoreBytes(std::string_view section, std::string_view key, std::string_view bytes)
{
    ProfileText::Store(FLines, section, key, bytes);
    FDirty = true;
}

std::int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                                   std::int32_t defaultValue)
{
    const auto value = ProfileText::Find(FLines, section, key);
    const auto number = value ? ProfileText::ParseInteger(*value) : std::nullopt;
    return number.value_or(defaultValue);
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    StoreBytes(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue)
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    StoreBytes(section, key, value ? "1" : "0");
}

void TIniFile::UpdateFile()
{
    if (!FDirty)
        return;
    std::string text(FUtf8 ? Utf8Mark : std::string_view());
    for (const std::string& line : FLines) {
        text += line;
        text += FLineBreak;
    }
    try {
        if (!UsefulFunc::MakeFolders(FolderOf(FPath), 0700))
            throw EFile("Couldn't open file.");
        UsefulFunc::WriteFileAtomically(FPath, text);
    } catch (const EFile&) {
        throw Exception(FPath + " に書き込めません");
    }
    FDirty = false;
    FExisted = true;
}

std::string SettingsFileName()
{
    constexpr const char* Name = "Kotonami.ini";
    char exe[PATH_MAX];
    const ssize_t size = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (size > 0) {
        const std::string folder = FolderOf(std::string(exe, static_cast<std::size_t>(size)));
        const std::string beside = folder + "/" + Name;
        struct stat info
        {
        };
        if (::stat(beside.c_str(), &info) == 0 || ::access(folder.c_str(), W_OK) == 0)
            return beside;
    }
    const std::string config = UsefulFunc::XdgFolder("XDG_CONFIG_HOME", ".config");
    if (config.empty())
        return std::string(Name); // no home folder at all: the current folder
    return config + "/kotonami/" + Name;
}
