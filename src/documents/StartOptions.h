// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window program's own options, taken off its command line before the rest is split into the
// items to open.

#include <string>
#include <vector>

struct StartOptions
{
    bool help = false;
    bool version = false;
    bool newWindow = false;      // never hand the items to a running window
    bool quitAfterStart = false; // report the started window on standard output, then end
    std::string settingsPath;    // another settings file than the program's own; "" for its own
    std::string error;           // a command line that cannot be used; "" when it can
    std::vector<std::string> items;
};

extern const char* const StartUsage;

// Options count only before "--"; any other argument, or anything after "--", is part of the
// items, which are split by the command line's quoting rules.
StartOptions ParseStartOptions(const std::vector<std::string>& arguments);

// A file's path made absolute against `folder`, so that a window started elsewhere, the history
// and the last session's files find the same file; an absolute or empty path stays as it is.
std::string AbsolutePath(const std::string& path, const std::string& folder);

// Items made absolute against `folder`, so that a window started elsewhere finds the same files.
std::vector<std::string> AbsoluteItems(const std::vector<std::string>& items,
                                       const std::string& folder);
