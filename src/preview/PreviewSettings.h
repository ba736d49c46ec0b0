#pragma once
// The manuscript preview's own settings: the face its characters are written in. Kept in the
// section "Preview" of the settings file once the window reads and writes that file.

#include <QString>

#include <string>

class SettingsStore;

struct PreviewSettings
{
    std::string Face = "IPAMincho"; // UTF-8; a Mincho face is the manuscript convention
};

void ReadPreviewSettings(PreviewSettings& settings, SettingsStore& file);
void WritePreviewSettings(const PreviewSettings& settings, SettingsStore& file);

// The family to draw with: the preview's face when it is installed, else `fallback`.
QString PreviewFamily(const PreviewSettings& settings, const QString& fallback);
