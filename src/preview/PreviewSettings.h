// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The manuscript preview's own settings: the face its characters are written in, the layout shown
// (the sheets or the submission pages), the submission's page, and the window's size. Kept in
// the sections "Preview" and "Submission" of the settings file.

#include "paper/SubmissionPage.h"

#include <QString>

#include <cstdint>
#include <string>

class SettingsStore;

struct PreviewSettings
{
    std::string Face = "IPAMincho"; // UTF-8; a Mincho face is the manuscript convention
    bool SubmissionShown = false;   // the submission pages rather than the sheets
    SubmissionSettings Submission;
    std::int32_t Width = 0; // the window's size when it last changed; 0 before that
    std::int32_t Height = 0;
};

void ReadPreviewSettings(PreviewSettings& settings, SettingsStore& file);
void WritePreviewSettings(const PreviewSettings& settings, SettingsStore& file);

// The family to draw with: the preview's face when it is installed, else `fallback`.
QString PreviewFamily(const PreviewSettings& settings, const QString& fallback);
