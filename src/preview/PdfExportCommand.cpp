#include "PdfExportCommand.h"

#include "PreviewSettings.h"
#include "SheetOutput.h"
#include "analysis/CountSettings.h"
#include "analysis/TextAsRead.h"
#include "documents/TextEncoding.h"
#include "paper/TPaper.h"
#include "shell/Exceptions.h"
#include "shell/TIniFile.h"
#include "shell/UsefulFunc.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>

#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* Usage =
    "usage: kotonami --export-pdf OUT.pdf [--horizontal] [--settings PATH] FILE\n";

struct ExportRequest
{
    std::string output;
    std::string input;
    std::optional<std::string> settingsPath;
    bool horizontal = false;
};

// Nothing when the arguments cannot be used.
std::optional<ExportRequest> ParseRequest(const std::vector<std::string>& arguments)
{
    ExportRequest request;
    std::vector<std::string> files;
    bool haveOutput = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--export-pdf" && hasValue && !haveOutput) {
            request.output = arguments[++i];
            haveOutput = true;
        } else if (argument == "--settings" && hasValue && !request.settingsPath) {
            request.settingsPath = arguments[++i];
        } else if (argument == "--horizontal") {
            request.horizontal = true;
        } else if (argument.starts_with("--") || argument.empty()) {
            return std::nullopt;
        } else {
            files.push_back(argument);
        }
    }
    if (!haveOutput || request.output.empty() || files.size() != 1)
        return std::nullopt;
    request.input = files.front();
    return request;
}

// The platform's notes (no runtime folder, no display) are no concern of a script: standard
// error carries only what went wrong with the export.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "kotonami: %s\n", message.toLocal8Bit().constData());
}

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "kotonami: %s\n", message.c_str());
    if (status == 2)
        std::fputs(Usage, stderr);
    return status;
}

} // namespace

bool IsPdfExportCommand(int argc, char** argv)
{
    return argc > 1 && std::string_view(argv[1]) == "--export-pdf";
}

int RunPdfExportCommand(int argc, char** argv)
{
    const std::optional<ExportRequest> request =
        ParseRequest(std::vector<std::string>(argv + 1, argv + argc));
    if (!request)
        return Fail(2, "the export needs OUT.pdf and one FILE");

    // Drawing needs the application object, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication application(argc, argv);

    // The paper settings, and whether ruby and notes count, as the command-line companion reads
    // them.
    TPaper paper;
    PreviewSettings preview;
    bool excludeRuby = false;
    const std::string settingsPath = request->settingsPath.value_or(SettingsFileName());
    const bool readable = UsefulFunc::IsFileReadable(settingsPath);
    if (request->settingsPath && !readable)
        return Fail(2, "--settings: cannot read " + settingsPath);
    if (readable) {
        TIniFile file(settingsPath);
        paper.ReadSettings(file);
        ReadPreviewSettings(preview, file);
        excludeRuby = ReadCountOptions(file).excludeRuby;
    }

    try {
        const CountingText text =
            ReadForCounting(UsefulFunc::MapTextBytes(request->input), std::nullopt);
        for (const std::string& notice : ReadingNotices(text))
            std::fprintf(stderr, "kotonami: %s: %s\n", request->input.c_str(),
                         QString::fromStdString(notice).toLocal8Bit().constData());
        const ManuscriptLayout layout(paper, ReadingText(text.shiftJis.View(), excludeRuby));
        const SheetStyle style{!request->horizontal, PreviewFamily(preview, QFont().family())};
        QString error;
        if (WriteManuscriptPdf(QFile::decodeName(request->output.c_str()), layout, style,
                               PdfPaper::B4, {}, error) != OutputResult::Written)
            return Fail(1, error.toStdString());
    } catch (const Exception& error) {
        return Fail(1, error.what());
    } catch (const std::bad_alloc&) {
        return Fail(1, request->input + ": メモリに収まらないため読めません");
    }
    return 0;
}
