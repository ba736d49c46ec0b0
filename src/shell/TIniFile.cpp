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
    if (value.size() <= MaxValueBytes)
        return value;
    std::size_t size = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(value)) {
        if (c.position + c.length > MaxValueBytes)
            break;
        size = c.position + c.length;
    }
    value.resize(size);
    return value;
}

// A line break in a value would end its line and turn the rest into a line of its own.
std::string_view FirstLineOf(std::string_view value) noexcept
{
    return value.substr(0, value.find_first_of("\r\n"));
}

bool MakeFolders(const std::string& folder)
{
    if (folder.empty() || ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST)
        return true;
    if (errno != ENOENT)
        return false;
    const auto slash = folder.rfind('/');
    return slash != std::string::npos && slash > 0 && MakeFolders(folder.substr(0, slash)) &&
           (::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST);
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
    const std::string text = UsefulFunc::ReadFileBytes(FPath);
    FLineBreak = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
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

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue)
{
    const auto value = ProfileText::Find(FLines, section, key);
    if (!value)
        return std::string(defaultValue);
    return CutUtf8(Cp932::IsValidUtf8(*value) ? *value : Cp932::DecodeToUtf8(*value));
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    ProfileText::Store(FLines, section, key, FirstLineOf(value));
    FDirty = true;
}

std::string TIniFile::ReadShiftJisString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue)
{
    const auto value = ProfileText::Find(FLines, section, key);
    if (!value)
        return std::string(defaultValue);
    if (!Cp932::IsValidUtf8(*value))
        return CutShiftJis(*value);
    std::string bytes;
    Cp932::EncodeFromUtf8(*value, bytes);
    return CutShiftJis(std::move(bytes));
}

void TIniFile::WriteShiftJisString(std::string_view section, std::string_view key,
                                   std::string_view value)
{
    // Bytes without a Unicode form keep the value in Shift-JIS, which reads back exactly.
    const std::string utf8 = Cp932::DecodeToUtf8(value);
    WriteString(section, key, Cp932::IsValidUtf8(utf8) ? std::string_view(utf8) : value);
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
    WriteString(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue)
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::UpdateFile()
{
    if (!FDirty)
        return;
    std::string text;
    for (const std::string& line : FLines) {
        text += line;
        text += FLineBreak;
    }
    try {
        if (!MakeFolders(FolderOf(FPath)))
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
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0') {
            const passwd* user = ::getpwuid(::getuid());
            home = user != nullptr ? user->pw_dir : "";
        }
        config = std::string(home) + "/.config";
    }
    return config + "/kotonami/" + Name;
}
