// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "KotonamiApplication.h"

#include "dialogs/MessageBoxes.h"
#include "dialogs/QtTranslation.h"

#include <exception>

KotonamiApplication::KotonamiApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Kotonami"));
    // The desktop finds the menu entry and the icon by this id.
    setDesktopFileName(QStringLiteral(KOTONAMI_APP_ID));
    InstallQtTranslation(*this);
}

bool KotonamiApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowError(error.what());
    } catch (...) {
        ShowError("Unknown error");
    }
    return false;
}

void KotonamiApplication::ShowError(const std::string& utf8Message)
{
    MessageBoxes::ShowError(activeWindow(), QString::fromStdString(utf8Message));
}
