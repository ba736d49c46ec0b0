// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CountSettings.h"

using namespace CountSettingKeys;

CountOptions ReadCountOptions(SettingsStore& file)
{
    CountOptions options;
    options.countSpace = file.ReadBool(Section, CountSpace, options.countSpace);
    options.countTab = file.ReadBool(Section, CountTab, options.countTab);
    options.countDoubleByteSpace =
        file.ReadBool(Section, CountDoubleByteSpace, options.countDoubleByteSpace);
    options.excludeRuby = file.ReadBool(Section, ExcludeRuby, options.excludeRuby);
    options.lineMode =
        file.ReadBool(Section, LogicalLines, true) ? LineMode::Logical : LineMode::Display;
    return options;
}

void WriteCountOptions(const CountOptions& options, SettingsStore& file)
{
    file.WriteBool(Section, CountSpace, options.countSpace);
    file.WriteBool(Section, CountTab, options.countTab);
    file.WriteBool(Section, CountDoubleByteSpace, options.countDoubleByteSpace);
    file.WriteBool(Section, ExcludeRuby, options.excludeRuby);
    file.WriteBool(Section, LogicalLines, options.lineMode == LineMode::Logical);
}

bool SameCharacterCounting(const CountOptions& a, const CountOptions& b)
{
    return a.countSpace == b.countSpace && a.countTab == b.countTab &&
           a.countDoubleByteSpace == b.countDoubleByteSpace && a.excludeRuby == b.excludeRuby;
}
