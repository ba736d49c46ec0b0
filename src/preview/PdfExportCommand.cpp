// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfExportCommand.h"

#include "PreviewSettings.h"
#include "SheetOutput.h"
#include "analysis/CountSettings.h"
#include "analysis/Cp932Codec.h"
#include "analysis/TextAsRead.h"
#include "documents/FileReading.h"
#include "documents/TextEncoding.h"
#include "paper/TPaper.h"
#include "shell/Exceptions.h"
#include "shell/TIniFile.h"
#include "shell/UsefulFunc.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>

#include <charconv>
#include <cstdio>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* Usage =
    "usage: kotonami --export-pdf OUT.pdf [--horizontal] [--settings PATH] FILE\n"
    "       kotonami --export-pdf OUT.pdf --submission [--column N] [--line N]\n"
    "                [--page-size A4|B5|B4|A5] [--portrait|--landscape] [--horizontal]\n"
    "                [--title TEXT] [--author TEXT] [--settings PATH] FILE\n";

struct ExportRequest
{
    std::string output;
    std::string input;
    std::optional<std::string> settingsPath;
    bool horizontal = false;
    bool submission = false;
    std::optional<std::int32_t> column, line;
    std::optional<PageSize> pageSize;
    std::optional<PageTurn> turn;
    std::optional<std::string> title, author;
    std::string error; // what cannot be used; "" when the request can be run
};

// A count of 1 to 100000 characters or lines.
std::optional<std::int32_t> CountNamed(const std::string& text)
{
    std::int32_t value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || value < 1 || value > 100000)
        return std::nullopt;
    return value;
}

// Takes the option at `i` and its value if it has one; false when it is no option of the export.
bool TakeOption(const std::vector<std::string>& arguments, std::size_t& i, ExportRequest& request)
{
    const std::string& option = arguments[i];
    const auto value = [&]() -> std::optional<std::string> {
        if (i + 1 >= arguments.size()) {
            request.error = option + " needs a value";
            return std::nullopt;
        }
        return arguments[++i];
    };
    const auto count = [&](std::optional<std::int32_t>& target) {
        if (const auto text = value(); text && !(target = CountNamed(*text)))
            request.error = option + ": '" + *text + "' is not a count from 1 to 100000";
    };
    if (option == "--settings") {
        request.settingsPath = value();
    } else if (option == "--horizontal") {
        request.horizontal = true;
    } else if (option == "--submission") {
        request.submission = true;
    } else if (option == "--column") {
        count(request.column);
    } else if (option == "--line") {
        count(request.line);
    } else if (option == "--page-size") {
        if (const auto text = value(); text && !(request.pageSize = PageSizeNamed(*text)))
            request.error = "--page-size: '" + *text + "' is none of A4, B5, B4, A5";
    } else if (option == "--portrait" || option == "--landscape") {
        const PageTurn turn = option == "--portrait" ? PageTurn::Portrait : PageTurn::Landscape;
        if (request.turn && *request.turn != turn)
            request.error = "--portrait and --landscape cannot both be given";
        request.turn = turn;
    } else if (option == "--title" || option == "--author") {
        std::optional<std::string>& target = option == "--title" ? request.title : request.author;
        target = value();
        std::string bytes;
        if (target && (!Cp932::IsValidUtf8(*target) || !Cp932::EncodeFromUtf8(*target, bytes)))
            request.error = option + ": the text has a character without a Shift-JIS form";
    } else {
        return false;
    }
    return true;
}

ExportRequest ParseRequest(const std::vector<std::string>& arguments)
{
    ExportRequest request;
    std::vector<std::string> files;
    bool haveOutput = false;
    for (std::size_t i = 0; i < arguments.size() && request.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--export-pdf" && i + 1 < arguments.size() && !haveOutput) {
            request.output = arguments[++i];
            haveOutput = true;
        } else if (argument.starts_with("--")) {
            if (!TakeOption(arguments, i, request))
                request.error = "unknown option " + argument;
        } else if (argument.empty()) {
            request.error = "an empty FILE";
        } else {
            files.push_back(argument);
        }
    }
    const bool pageOptions = request.column || request.line || request.pageSize || request.turn ||
                             request.title || request.author;
    if (!request.error.empty())
        return request;
    if (pageOptions && !request.submission)
        request.error = "--column, --line, --page-size, --portrait, --landscape, --title and "
                        "--author go with --submission";
    else if (!haveOutput || request.output.empty() || files.size() != 1)
        request.error = "the export needs OUT.pdf and one FILE";
    else
        request.input = files.front();
    return request;
}

// The submission's settings as the file has them, with what the command line asks for instead.
SubmissionSettings AskedSubmission(SubmissionSettings settings, const ExportRequest& request)
{
    settings.Column = request.column.value_or(settings.Column);
    settings.Line = request.line.value_or(settings.Line);
    settings.Size = request.pageSize.value_or(settings.Size);
    settings.Turn = request.turn.value_or(settings.Turn);
    if (request.horizontal)
        settings.Vertical = false;
    settings.TitleText = request.title.value_or(settings.TitleText);
    settings.Author = request.author.value_or(settings.Author);
    // A title or a name asked for here is shown, on a page of its own unless the file says where.
    if ((request.title || request.author) && settings.Title == TitlePlace::None)
        settings.Title = TitlePlace::TitlePage;
    return settings;
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
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (const ExportRequest request = ParseRequest(arguments); !request.error.empty())
        return Fail(2, request.error);

    // Drawing needs the application object, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietMessages);
    QGuiApplication application(argc, argv);
    return ExportPdf(arguments);
}

int ExportPdf(const std::vector<std::string>& arguments, const FileReader::Opened& opened)
{
    const ExportRequest request = ParseRequest(arguments);
    if (!request.error.empty())
        return Fail(2, request.error);

    // The paper settings, and whether ruby and notes count, as the command-line companion reads
    // them.
    TPaper paper;
    PreviewSettings preview;
    bool excludeRuby = false;
    const std::string settingsPath = request.settingsPath.value_or(SettingsFileName());
    const bool readable = UsefulFunc::IsFileReadable(settingsPath);
    if (request.settingsPath && !readable)
        return Fail(2, "--settings: cannot read " + settingsPath);
    if (readable) {
        TIniFile file(settingsPath);
        paper.ReadSettings(file);
        ReadPreviewSettings(preview, file);
        excludeRuby = ReadCountOptions(file).excludeRuby;
    }

    try {
        FileReader::Read file = ReadTextBytes(request.input, std::nullopt, true, opened);
        const CountingText text = ReadForCounting(TextBytes(std::move(file.bytes)), std::nullopt);
        for (const std::string& notice : ReadingNotices(text))
            std::fprintf(stderr, "kotonami: %s: %s\n", request.input.c_str(),
                         QString::fromStdString(notice).toLocal8Bit().constData());
        const ReadingText reading(text.shiftJis.View(), excludeRuby);
        const std::string_view read = reading.View();
        const QString family = PreviewFamily(preview, QFont().family());
        const QString output = QFile::decodeName(request.output.c_str());
        QString error;
        OutputResult result = OutputResult::Failed;
        if (request.submission) {
            const SubmissionSettings settings = AskedSubmission(preview.Submission, request);
            const std::string title = settings.TitleText.empty()
                                          ? QFileInfo(QFile::decodeName(request.input.c_str()))
                                                .completeBaseName()
                                                .toStdString()
                                          : settings.TitleText;
            const ManuscriptLayout layout =
                SubmissionLayout(paper, settings, read, title, settings.Author);
            result = WriteSubmissionPdf(output, layout, {settings, family, title, settings.Author},
                                        {}, error);
        } else {
            const ManuscriptLayout layout(paper, read);
            result = WriteManuscriptPdf(output, layout, {!request.horizontal, family}, PdfPaper::B4,
                                        {}, error);
        }
        if (result != OutputResult::Written)
            return Fail(1, error.toStdString());
    } catch (const Exception& error) {
        return Fail(1, error.what());
    } catch (const std::bad_alloc&) {
        return Fail(1, request.input + ": メモリに収まらないため読めません");
    }
    return 0;
}
