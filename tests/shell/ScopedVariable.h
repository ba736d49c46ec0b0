// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An environment variable set for one test (a home folder, an XDG folder) and put back afterwards.

#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const std::string& value) : FName(name)
    {
        if (const char* old = std::getenv(name))
            FOld = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (FOld)
            ::setenv(FName, FOld->c_str(), 1);
        else
            ::unsetenv(FName);
    }

private:
    const char* FName;
    std::optional<std::string> FOld;
};
