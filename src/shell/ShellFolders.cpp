// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's per-user folders and the links the file manager offers for selected files.

#include "UsefulFunc.h"

#include "Exceptions.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace UsefulFunc {

namespace {

std::string HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/')
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

// An XDG base folder: the variable when it holds an absolute path, else the home-relative default.
std::string BaseFolder(const char* variable, const char* fallback)
{
    if (const char* value = std::getenv(variable); value != nullptr && value[0] == '/')
        return value;
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/" + fallback;
}

// A user folder as the desktop's user-dirs.dirs names it (XDG_<name>_DIR="$HOME/..."); without an
// entry, the desktop folder is ~/Desktop and every other one the home folder itself.
std::string UserFolder(const std::string& name)
{
    const std::string home = HomeFolder();
    if (home.empty())
        return {};
    const std::string config = BaseFolder("XDG_CONFIG_HOME", ".config");
    std::ifstream dirs(config + "/user-dirs.dirs");
    const std::string key = "XDG_" + name + "_DIR=\"";
    for (std::string line; std::getline(dirs, line);) {
        if (!line.starts_with(key) || !line.ends_with('"'))
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.starts_with("$HOME"))
            value = home + value.substr(5);
        if (value.starts_with('/'))
            return value;
    }
    return name == "DESKTOP" ? home + "/Desktop" : home;
}

std::string DataFolder(const char* below)
{
    const std::string data = BaseFolder("XDG_DATA_HOME", ".local/share");
    return data.empty() ? data : data + "/" + below;
}

} // namespace

std::string GetSpecialFolderPath(int folderId)
{
    switch (folderId) {
    case CSIDL_PROGRAMS:
    case CSIDL_STARTMENU:
        return DataFolder("applications");
    case CSIDL_PERSONAL:
        return UserFolder("DOCUMENTS");
    case CSIDL_STARTUP: {
        const std::string config = BaseFolder("XDG_CONFIG_HOME", ".config");
        return config.empty() ? config : config + "/autostart";
    }
    case CSIDL_SENDTO: {
        const std::string scripts = DataFolder("nautilus/scripts");
        return !scripts.empty() && MakeFolders(scripts, 0755) ? scripts : std::string();
    }
    case CSIDL_DESKTOPDIRECTORY:
        return UserFolder("DESKTOP");
    case CSIDL_FONTS:
        return DataFolder("fonts");
    case CSIDL_TEMPLATES:
        return UserFolder("TEMPLATES");
    default:
        // The recent-documents list and the network places are not folders on this desktop.
        return {};
    }
}

void CreateShortcut(const std::string& target, const std::string& linkFile)
{
    // The new link under a name of its own first, so that an existing link survives a failure.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string fresh =
            linkFile + ".new-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        if (::symlink(target.c_str(), fresh.c_str()) != 0) {
            if (errno == EEXIST)
                continue;
            break;
        }
        if (::rename(fresh.c_str(), linkFile.c_str()) == 0)
            return;
        ::unlink(fresh.c_str());
        break;
    }
    throw Exception("Save in UsefulFunc::CreateShortcut");
}

std::string XdgFolder(const char* variable, const char* fallback)
{
    return BaseFolder(variable, fallback);
}

bool MakeFolders(const std::string& folder, mode_t mode)
{
    if (folder.empty())
        return true; // a file named without a folder lies in the current one
    struct stat info
    {
    };
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const auto slash = folder.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash), mode))
        return false;
    return ::mkdir(folder.c_str(), mode) == 0 || errno == EEXIST;
}

} // namespace UsefulFunc
