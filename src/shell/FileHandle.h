// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An open file descriptor, closed on every path.

#include <unistd.h>

class FileHandle
{
public:
    explicit FileHandle(int fd) noexcept : FFd(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    int Get() const noexcept { return FFd; }
    bool IsOpen() const noexcept { return FFd >= 0; }
    // Returns false when closing reported an error (a late write failure on some file systems).
    bool Close() noexcept
    {
        if (FFd < 0)
            return true;
        const int result = ::close(FFd);
        FFd = -1;
        return result == 0;
    }

private:
    int FFd;
};
