// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts in Japanese: the buttons of every question, the file and font dialogs, the
// fields' editing menus. The whole program speaks Japanese, so the translation is loaded
// whatever the system's language. Header only, so that the program and every test program of a
// GUI layer set up their application the same way.

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

// Installs Qt's Japanese translation (qtbase_ja.qm of the Qt installation) into the application.
// Without the file Qt's texts stay English; nothing else changes.
inline bool InstallQtTranslation(QCoreApplication& application)
{
    auto translator = std::make_unique<QTranslator>(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    application.installTranslator(translator.release());
    return true;
}
