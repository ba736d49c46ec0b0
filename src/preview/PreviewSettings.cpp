// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewSettings.h"

#include "analysis/SettingsStore.h"

#include <QFontDatabase>

namespace {

constexpr std::string_view Section = "Preview";
constexpr std::int32_t LargestWindow = 100000;

std::int32_t ReadSize(SettingsStore& file, std::string_view key, std::int32_t current)
{
    const std::int32_t value = file.ReadInteger(Section, key, current);
    return value > 0 && value <= LargestWindow ? value : current;
}

} // namespace

void ReadPreviewSettings(PreviewSettings& settings, SettingsStore& file)
{
    settings.Face = file.ReadString(Section, "Face", settings.Face);
    settings.SubmissionShown = file.ReadBool(Section, "Submission", settings.SubmissionShown);
    settings.Width = ReadSize(file, "Width", settings.Width);
    settings.Height = ReadSize(file, "Height", settings.Height);
    ReadSubmissionSettings(settings.Submission, file);
}

void WritePreviewSettings(const PreviewSettings& settings, SettingsStore& file)
{
    file.WriteString(Section, "Face", settings.Face);
    file.WriteBool(Section, "Submission", settings.SubmissionShown);
    if (settings.Width > 0 && settings.Height > 0) {
        file.WriteInteger(Section, "Width", settings.Width);
        file.WriteInteger(Section, "Height", settings.Height);
    }
    WriteSubmissionSettings(settings.Submission, file);
}

QString PreviewFamily(const PreviewSettings& settings, const QString& fallback)
{
    const QString face = QString::fromStdString(settings.Face);
    return QFontDatabase::hasFamily(face) ? face : fallback;
}
