// One application object for every window test; each test builds its own fresh window.

#include "app/FontSetup.h"
#include "app/KotonamiApplication.h"
#include "app/WindowSettingsFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class ApplicationEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        FApplication = std::make_unique<KotonamiApplication>(FArgc, FArgv);
        SetupFonts();
        // A window made outside WindowTest still finds a settings file, away from the program.
        QFile settings(FSettingsFolder.filePath(QStringLiteral("Kotonami.ini")));
        settings.open(QIODevice::WriteOnly);
        SetWindowSettingsFileName(settings.fileName().toStdString());
    }
    void TearDown() override { FApplication.reset(); }

private:
    int FArgc = 1;
    char FName[8] = "windows";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<KotonamiApplication> FApplication;
    QTemporaryDir FSettingsFolder;
};

const auto* const Environment = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
