// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's command line: argv joined into one argument string (every element quoted), and
// that string split into items again (comma- or blank-separated, double quotes for blanks).

#include <string>
#include <string_view>
#include <vector>

std::string MakeArgumentString(const std::vector<std::string>& arguments);
std::vector<std::string> SplitArguments(std::string_view argumentString);
