// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Kotonami: the window. `kotonami FILE...` opens the files, each in its own tab; with a window
// already open, the files go to that window. `kotonami --export-pdf OUT.pdf FILE` writes the
// manuscript sheets of FILE without a window.

#include "app/FontSetup.h"
#include "app/KotonamiApplication.h"
#include "app/SingleWindow.h"
#include "app/StartWhenShown.h"
#include "app/TForm1.h"
#include "app/WindowSettingsFile.h"
#include "documents/StartOptions.h"
#include "preview/PdfExportCommand.h"
#include "shell/Version.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTabBar>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

// What a check of an installed program wants to see: the window's title and its tabs.
void ReportStartedWindow(const TForm1& form)
{
    std::printf("%s\n", form.windowTitle().toUtf8().constData());
    if (const auto* tabs = form.findChild<QTabBar*>(QStringLiteral("TabControl1")))
        for (int i = 0; i < tabs->count(); ++i)
            std::printf("tab: %s\n", tabs->tabText(i).toUtf8().constData());
    std::fflush(stdout);
}

// Opens the named files in the shown window; ends the program when a file cannot be opened.
void Start(TForm1& form, const StartOptions& options)
{
    try {
        form.StartUp(options.items);
    } catch (const std::exception& error) {
        KotonamiApplication::ShowError(error.what());
        QApplication::exit(1);
        return;
    }
    if (options.quitAfterStart) {
        ReportStartedWindow(form);
        QApplication::exit(form.isVisible() ? 0 : 1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    // `kotonami --export-pdf ...` writes manuscript sheets for a script and opens no window.
    if (IsPdfExportCommand(argc, argv))
        return RunPdfExportCommand(argc, argv);
    // Help and version need no display, so they are answered before the application exists.
    const StartOptions asked = ParseStartOptions({argv + std::min(argc, 1), argv + argc});
    if (!asked.error.empty()) {
        std::fprintf(stderr, "kotonami: %s\n%s", asked.error.c_str(), StartUsage);
        return 2;
    }
    if (asked.help || asked.version) {
        std::fputs(asked.help ? StartUsage : "kotonami " KOTONAMI_VERSION "\n", stdout);
        return 0;
    }
    KotonamiApplication application(argc, argv);
    std::vector<std::string> arguments;
    const QStringList given = application.arguments(); // without the platform's own options
    for (qsizetype i = 1; i < given.size(); ++i)
        arguments.push_back(QFile::encodeName(given[i]).toStdString());
    const StartOptions options = ParseStartOptions(arguments);
    if (!options.settingsPath.empty())
        SetWindowSettingsFileName(options.settingsPath);
    const QString serverName = SingleWindow::ServerName(WindowSettingsFileName());
    // Two starts at once (a file manager opening two files) take turns between asking for a window
    // and becoming the window that listens, so that one listens and the other hands over to it.
    QLockFile turn(serverName + QStringLiteral(".lock"));
    turn.tryLock(10000);
    if (!options.newWindow) {
        const std::string folder = QFile::encodeName(QDir::currentPath()).toStdString();
        if (SingleWindow::HandOver(serverName, AbsoluteItems(options.items, folder)))
            return 0;
    }

    SetupFonts();
    TForm1 form;
    SingleWindow single(form);
    // Listening starts before the files open: a start meanwhile waits for its answer until this
    // window reads it, rather than opening a window of its own.
    if (!options.newWindow)
        single.Listen(serverName);
    turn.unlock();
    form.show();
    StartWhenShown(form, [&] { Start(form, options); });
    return application.exec();
}
