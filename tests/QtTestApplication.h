#pragma once
// One QApplication for a GUI test program, made before the first test and kept to the end.
// Including this header from any test file of the program is enough.

#include "dialogs/QtTranslation.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

class QtTestApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (QApplication::instance() == nullptr) {
            FApplication = std::make_unique<QApplication>(FArgc, FArgv);
            InstallQtTranslation(*FApplication);
        }
    }
    // Gone before the program's static objects are, which Qt needs.
    void TearDown() override { FApplication.reset(); }

private:
    int FArgc = 1;
    char FName[16] = "kotonami-tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApplication;
};

// Registered once per program, however many test files include the header.
inline ::testing::Environment* const QtTestApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);
