// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The counting switches in the settings file: the one place that names their keys, reads them,
// writes them and says when two sets of switches count a text differently.

#include "SettingsStore.h"
#include "TextStatistics.h"

namespace CountSettingKeys {
inline constexpr const char* Section = "Setting";
inline constexpr const char* CountSpace = "CountSpace";
inline constexpr const char* CountTab = "CountTab";
inline constexpr const char* CountDoubleByteSpace = "CountDoubleByteSpace";
inline constexpr const char* ExcludeRuby = "ExcludeRuby";
// Checked: logical lines; unchecked: lines as wrapped on screen.
inline constexpr const char* LogicalLines = "LineSetting";
} // namespace CountSettingKeys

// The switches as the settings file holds them; a missing key keeps its default.
CountOptions ReadCountOptions(SettingsStore& file);
void WriteCountOptions(const CountOptions& options, SettingsStore& file);

// Whether the two count every line's characters alike (the line mode changes no line's figures).
bool SameCharacterCounting(const CountOptions& a, const CountOptions& b);
