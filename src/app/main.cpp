// Kotonami: the window. `kotonami FILE...` opens the files, each in its own tab;
// `kotonami --export-pdf OUT.pdf FILE` writes the manuscript sheets of FILE without a window.

#include "app/FontSetup.h"
#include "app/KotonamiApplication.h"
#include "app/TForm1.h"
#include "documents/CommandLine.h"
#include "preview/PdfExportCommand.h"

#include <QFile>

#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // `kotonami --export-pdf ...` writes manuscript sheets for a script and opens no window.
    if (IsPdfExportCommand(argc, argv))
        return RunPdfExportCommand(argc, argv);

    KotonamiApplication application(argc, argv);
    SetupFonts();
    TForm1 form;
    try {
        std::vector<std::string> arguments;
        const QStringList given = application.arguments();
        for (qsizetype i = 1; i < given.size(); ++i)
            arguments.push_back(QFile::encodeName(given[i]).toStdString());
        form.StartUp(SplitArguments(MakeArgumentString(arguments)));
    } catch (const std::exception& error) {
        KotonamiApplication::ShowError(error.what());
        return 1;
    }
    form.show();
    return application.exec();
}
