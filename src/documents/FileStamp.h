// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What tells one version of a file on disk from another: its size, the time of its last change and
// its identity (device and inode, which a file written anew and renamed over the old one changes).
// The window takes it whenever it reads or writes a file, so that another program's change shows
// and its own does not.

#include <cstdint>
#include <string>

struct FileStamp
{
    bool exists = false;
    std::int64_t size = 0;
    std::int64_t changed = 0; // nanoseconds since 1970
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` as it is now; one that does not exist for a file that does not.
FileStamp StampOf(const std::string& path);
