// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While it lives, the permissions of files and folders bind the calling thread as they bind a
// writer's own account: a test run by the superuser puts aside its right to read, write and search
// past them, and takes it back at the end. Other threads keep their rights.

#include <initializer_list>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

class PlainUserRights
{
public:
    PlainUserRights()
    {
        if (::syscall(SYS_capget, &FHeader, FSaved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {FSaved[0], FSaved[1]};
        for (const int right : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            lowered[right / 32].effective &= ~(1u << (right % 32));
        FLowered = ::syscall(SYS_capset, &FHeader, lowered) == 0;
    }
    ~PlainUserRights()
    {
        if (FLowered)
            ::syscall(SYS_capset, &FHeader, FSaved);
    }
    PlainUserRights(const PlainUserRights&) = delete;
    PlainUserRights& operator=(const PlainUserRights&) = delete;

private:
    __user_cap_header_struct FHeader{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct FSaved[2]{};
    bool FLowered = false;
};
