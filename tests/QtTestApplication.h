// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one application object of a GUI test program, made before the first test and kept to the
// end, on the offscreen platform unless the caller chose another. Including this header from any
// test file of the program is enough; a program whose tests need the program's own application
// object (the window's) names it once with QtTestApplication::Use.

#include "dialogs/QtTranslation.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

class QtTestApplication : public ::testing::Environment
{
public:
    using Factory = std::unique_ptr<QApplication> (*)(int& argc, char** argv);

    // Makes the program's application with `Application`, then runs `prepare` once it exists.
    // Call from a namespace-scope initialiser; the application is made later, before the first
    // test. Returns true so that the call can initialise a constant.
    template <class Application> static bool Use(void (*prepare)() = nullptr)
    {
        Settings() = {[](int& argc, char** argv) -> std::unique_ptr<QApplication> {
                          return std::make_unique<Application>(argc, argv);
                      },
                      prepare};
        return true;
    }

    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (QApplication::instance() != nullptr)
            return;
        FApplication = Settings().make(FArgc, FArgv);
        if (Settings().prepare != nullptr)
            Settings().prepare();
    }
    // Gone before the program's static objects are, which Qt needs.
    void TearDown() override { FApplication.reset(); }

private:
    struct Setting
    {
        Factory make;
        void (*prepare)();
    };
    static Setting& Settings()
    {
        // Qt's own buttons and dialogs in Japanese, as the program shows them.
        static Setting setting{[](int& argc, char** argv) -> std::unique_ptr<QApplication> {
                                   auto application = std::make_unique<QApplication>(argc, argv);
                                   InstallQtTranslation(*application);
                                   return application;
                               },
                               nullptr};
        return setting;
    }

    int FArgc = 1;
    char FName[16] = "kotonami-tests";
    char* FArgv[2] = {FName, nullptr};
    std::unique_ptr<QApplication> FApplication;
};

// Registered once per program, however many test files include the header.
inline ::testing::Environment* const QtTestApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestApplication);
