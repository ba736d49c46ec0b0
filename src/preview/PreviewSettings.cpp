#include "PreviewSettings.h"

#include "analysis/SettingsStore.h"

#include <QFontDatabase>

namespace {

constexpr std::string_view Section = "Preview";

} // namespace

void ReadPreviewSettings(PreviewSettings& settings, SettingsStore& file)
{
    settings.Face = file.ReadString(Section, "Face", settings.Face);
}

void WritePreviewSettings(const PreviewSettings& settings, SettingsStore& file)
{
    file.WriteString(Section, "Face", settings.Face);
}

QString PreviewFamily(const PreviewSettings& settings, const QString& fallback)
{
    const QString face = QString::fromStdString(settings.Face);
    return QFontDatabase::hasFamily(face) ? face : fallback;
}
