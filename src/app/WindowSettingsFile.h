// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file that a new window reads while it is created and writes when it closes: the
// program's own (SettingsFileName()) unless another was set. The tests give each window its own.

#include <string>

std::string WindowSettingsFileName();
void SetWindowSettingsFileName(std::string path);
