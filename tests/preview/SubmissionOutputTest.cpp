// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDialogs.h"
#include "PdfFile.h"
#include "QtTestApplication.h"
#include "ShiftJisText.h"
#include "cli/CliRunner.h"
#include "paper/DoubleByteConversion.h"
#include "preview/ManuscriptPreview.h"
#include "shell/TIniFile.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>

#include <cmath>
#include <filesystem>

namespace {

constexpr double PointsPerMillimetre = 72 / 25.4;

std::string Novel(int paragraphs)
{
    std::string text;
    for (int i = 0; i < paragraphs; ++i)
        text += Sjis("　吾輩は猫である。名前はまだ無い。XHTML変換の話、URLを参照――"
                     "どこで生れたかとんと見当がつかぬ。\r\n");
    return text;
}

// Every page of the file is `width` x `height` millimetres, to the point.
void ExpectPages(const std::string& path, int pages, double width, double height, const char* fact)
{
    EXPECT_EQ(PdfPages(path), pages) << fact;
    const std::vector<QSizeF> sizes = PdfPageSizes(path);
    ASSERT_FALSE(sizes.empty()) << fact;
    for (const QSizeF& size : sizes) {
        EXPECT_NEAR(size.width(), width * PointsPerMillimetre, 1) << fact;
        EXPECT_NEAR(size.height(), height * PointsPerMillimetre, 1) << fact;
    }
}

// The PDF has as many pages as the sheet count of its Column and Line, on the page asked for.
TEST(SubmissionOutput, PdfPagesAreTheSheetCount)
{
    const TempFolder folder;
    const std::string text = Novel(30);
    struct Row
    {
        const char* fact;
        SubmissionSettings settings;
        double width, height; // millimetres
    };
    const Row rows[] = {
        {"40 x 30, A4, vertical: landscape",
         SubmissionSettings{.Column = 40,
                            .Line = 30,
                            .Size = PageSize::A4,
                            .Turn = PageTurn::Automatic,
                            .Vertical = true},
         297, 210},
        {"40 x 30, A4, horizontal: portrait",
         SubmissionSettings{.Column = 40,
                            .Line = 30,
                            .Size = PageSize::A4,
                            .Turn = PageTurn::Automatic,
                            .Vertical = false},
         210, 297},
        {"42 x 34, B5 portrait",
         SubmissionSettings{.Column = 42,
                            .Line = 34,
                            .Size = PageSize::B5,
                            .Turn = PageTurn::Portrait,
                            .Vertical = true},
         182, 257},
        {"20 x 20, A4 landscape",
         SubmissionSettings{.Column = 20,
                            .Line = 20,
                            .Size = PageSize::A4,
                            .Turn = PageTurn::Landscape,
                            .Vertical = false},
         297, 210},
        {"20 x 20, B4",
         SubmissionSettings{.Column = 20,
                            .Line = 20,
                            .Size = PageSize::B4,
                            .Turn = PageTurn::Automatic,
                            .Vertical = true},
         364, 257},
        {"30 x 10, A5 portrait",
         SubmissionSettings{.Column = 30,
                            .Line = 10,
                            .Size = PageSize::A5,
                            .Turn = PageTurn::Portrait,
                            .Vertical = true},
         148, 210},
    };
    const TPaper sheets;
    for (const Row& row : rows) {
        const std::string path = folder.File("submission.pdf");
        const ManuscriptLayout layout = SubmissionLayout(sheets, row.settings, text, "", "");
        QString error;
        ASSERT_EQ(WriteSubmissionPdf(QString::fromStdString(path), layout,
                                     {row.settings, QStringLiteral("IPAMincho"), "", ""}, {},
                                     error),
                  OutputResult::Written)
            << row.fact;
        ExpectPages(path,
                    SubmissionPaper(sheets, row.settings).Count(ConvertForSubmission(text)).Sheets,
                    row.width, row.height, row.fact);
    }
}

TEST(SubmissionOutput, CommandLine)
{
    const TempFolder folder;
    const std::string text = Novel(30);
    const std::string file = folder.Write("novel.txt", text);
    const std::string settings =
        folder.Write("k.ini", "[Submission]\nColumn=20\nLine=10\nPageSize=B5\n");
    const std::string out = folder.File("novel.pdf");
    const auto sheets = [&](std::int32_t column, std::int32_t line) {
        TPaper paper;
        paper.Column = column;
        paper.Line = line;
        return paper.Count(ConvertForSubmission(text)).Sheets;
    };
    struct Row
    {
        const char* fact;
        std::vector<std::string> arguments;
        int status;
        int pages;            // when written
        double width, height; // millimetres, when written
        const char* message;  // in the error, when not written
    };
    const Row rows[] = {
        {"the submission of the settings, 40 x 30 A4 by default",
         {"--submission"},
         0,
         sheets(40, 30),
         297,
         210,
         ""},
        {"the settings file's own submission",
         {"--submission", "--settings", settings},
         0,
         sheets(20, 10),
         257,
         182,
         ""},
        {"Column and Line asked for",
         {"--submission", "--column", "42", "--line", "34"},
         0,
         sheets(42, 34),
         297,
         210,
         ""},
        {"a page size and portrait",
         {"--submission", "--page-size", "b4", "--portrait"},
         0,
         sheets(40, 30),
         257,
         364,
         ""},
        {"horizontal: portrait",
         {"--submission", "--horizontal", "--page-size", "A5"},
         0,
         sheets(40, 30),
         148,
         210,
         ""},
        {"horizontal turned by hand",
         {"--submission", "--horizontal", "--landscape"},
         0,
         sheets(40, 30),
         297,
         210,
         ""},
        {"a title page",
         {"--submission", "--title", "猫", "--author", "漱石"},
         0,
         sheets(40, 30) + 1,
         297,
         210,
         ""},
        {"a Column that is no number",
         {"--submission", "--column", "abc"},
         2,
         0,
         0,
         0,
         "--column: 'abc' is not a count"},
        {"a Line of 0", {"--submission", "--line", "0"}, 2, 0, 0, 0, "--line: '0'"},
        {"an unknown page size",
         {"--submission", "--page-size", "A3"},
         2,
         0,
         0,
         0,
         "--page-size: 'A3' is none of A4, B5, B4, A5"},
        {"both turns",
         {"--submission", "--portrait", "--landscape"},
         2,
         0,
         0,
         0,
         "--portrait and --landscape"},
        {"a page option without --submission",
         {"--column", "20"},
         2,
         0,
         0,
         0,
         "go with --submission"},
        {"a title without its text",
         {"--submission", "--title"},
         2,
         0,
         0,
         0,
         "--title needs a value"},
        {"a title with a character outside Shift-JIS",
         {"--submission", "--title", "猫😺"},
         2,
         0,
         0,
         0,
         "--title: the text has a character without a Shift-JIS form"},
        {"a name with a character outside Shift-JIS",
         {"--submission", "--author", "한"},
         2,
         0,
         0,
         0,
         "--author: the text has a character without a Shift-JIS form"},
    };
    for (const Row& row : rows) {
        std::filesystem::remove(out);
        std::vector<std::string> arguments{"--export-pdf", out};
        arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
        if (row.status != 2 || std::string_view(row.message) != "--title needs a value")
            arguments.push_back(file);
        const CliResult result = RunProgram(KOTONAMI_PATH, folder, arguments);
        EXPECT_EQ(result.status, row.status) << row.fact << "\n" << result.err;
        EXPECT_EQ(std::filesystem::exists(out), row.status == 0) << row.fact;
        if (row.status == 0)
            ExpectPages(out, row.pages, row.width, row.height, row.fact);
        else
            EXPECT_NE(result.err.find(row.message), std::string::npos) << row.fact << result.err;
    }
}

// The preview window on its own, showing a novel.
struct PreviewOfNovel
{
    explicit PreviewOfNovel(std::string text_) : text(std::move(text_))
    {
        preview.SetDocumentPath([this] { return documentPath; });
        preview.ShowText([this] { return text; });
    }
    const std::string text;
    const TPaper paper;
    PreviewSettings settings;
    QString documentPath;
    ManuscriptPreview preview{nullptr, paper, settings, QStringLiteral("IPAGothic")};
};

QString PageLabel(const ManuscriptPreview& preview)
{
    return preview.findChild<QLabel*>(QStringLiteral("SheetLabel"))->text();
}

// The writer switches between the sheets and the submission; each shows its own count, and the
// submission's PDF has its pages.
TEST(SubmissionOutput, PreviewSwitchesBetweenTheLayouts)
{
    const TempFolder folder;
    PreviewOfNovel shown(Novel(40));
    ManuscriptPreview& preview = shown.preview;
    SubmissionSettings submission;
    const int pages =
        SubmissionPaper(shown.paper, submission).Count(ConvertForSubmission(shown.text)).Sheets;
    const int sheets = shown.paper.Count(shown.text).Sheets;
    ASSERT_NE(pages, sheets);
    EXPECT_EQ(preview.SheetCount(), sheets);
    preview.findChild<QAction*>(QStringLiteral("SubmissionItem"))->trigger();
    EXPECT_EQ(preview.SheetCount(), pages);
    EXPECT_TRUE(shown.settings.SubmissionShown);
    EXPECT_EQ(PageLabel(preview), QStringLiteral(u"1 / %1 枚").arg(pages));

    const std::string path = folder.File("novel.pdf");
    ASSERT_TRUE(preview.ExportPdf(QString::fromStdString(path), PdfPaper::B4));
    ExpectPages(path, pages, 297, 210, "the submission from the preview");

    AnswerModal<QDialog>([](QDialog* dialog) {
        dialog->findChild<QSpinBox*>(QStringLiteral("ColumnEdit"))->setValue(20);
        dialog->findChild<QSpinBox*>(QStringLiteral("LineEdit"))->setValue(20);
        dialog->findChild<QComboBox*>(QStringLiteral("TitlePlaceBox"))->setCurrentIndex(1);
        dialog->accept();
    });
    preview.findChild<QAction*>(QStringLiteral("SubmissionSettingItem"))->trigger();
    EXPECT_EQ(shown.settings.Submission.Column, 20);
    EXPECT_EQ(preview.SheetCount(), shown.paper.Count(ConvertForSubmission(shown.text)).Sheets + 1)
        << "the title page comes first";

    preview.findChild<QAction*>(QStringLiteral("SheetsItem"))->trigger();
    EXPECT_EQ(preview.SheetCount(), sheets);
    EXPECT_FALSE(shown.settings.SubmissionShown);
}

// The window fits the screen it opens on, keeps the size the writer gives it, and offers the PDF
// under the document's name in its folder.
TEST(SubmissionOutput, PreviewWindowSizeAndPdfName)
{
    const TempFolder folder;
    PreviewSettings settings;
    settings.Width = 100000;
    settings.Height = 100000;
    const TPaper paper;
    {
        ManuscriptPreview preview(nullptr, paper, settings, QStringLiteral("IPAGothic"));
        preview.ShowText([] { return Sjis("短い。"); });
        const QSize room = preview.screen()->availableGeometry().size();
        EXPECT_LE(preview.width(), room.width() * 0.9 + 1);
        EXPECT_LE(preview.height(), room.height() * 0.9 + 1);
        preview.resize(500, 400);
        EXPECT_EQ(settings.Width, 500);
        EXPECT_EQ(settings.Height, 400);

        const std::string document = folder.Write("story.txt", "x");
        preview.SetDocumentPath([&] { return QString::fromStdString(document); });
        QStringList offered;
        AnswerModal<QFileDialog>([&offered](QFileDialog* dialog) {
            offered = dialog->selectedFiles();
            dialog->reject();
        });
        preview.findChild<QAction*>(QStringLiteral("SavePdfItem"))->trigger();
        EXPECT_EQ(offered, QStringList{QString::fromStdString(folder.File("story.pdf"))});
    }
    ManuscriptPreview again(nullptr, paper, settings, QStringLiteral("IPAGothic"));
    again.ShowText([] { return Sjis("短い。"); });
    EXPECT_EQ(again.size(), QSize(500, 400));
}

// The submission's settings come back from the settings file as they were written.
TEST(SubmissionOutput, SettingsSurviveTheFile)
{
    const TempFolder folder;
    PreviewSettings written;
    written.SubmissionShown = true;
    written.Width = 640;
    written.Height = 480;
    written.Submission = SubmissionSettings{.Column = 42,
                                            .Line = 34,
                                            .Size = PageSize::B5,
                                            .Turn = PageTurn::Portrait,
                                            .Vertical = false};
    written.Submission.FontTenths = 105;
    written.Submission.MarginTop = 20;
    written.Submission.MarginBottom = 15;
    written.Submission.MarginSide = 10;
    written.Submission.PageNumbers = false;
    written.Submission.Title = TitlePlace::FirstLines;
    written.Submission.TitleText = "吾輩は猫である";
    written.Submission.Author = "夏目漱石";
    const std::string path = folder.File("k.ini");
    {
        TIniFile file(path);
        WritePreviewSettings(written, file);
    }
    TIniFile file(path);
    PreviewSettings read;
    ReadPreviewSettings(read, file);
    const SubmissionSettings& a = written.Submission;
    const SubmissionSettings& b = read.Submission;
    EXPECT_EQ(std::tie(read.SubmissionShown, read.Width, read.Height),
              std::tie(written.SubmissionShown, written.Width, written.Height));
    EXPECT_EQ(std::tie(a.Column, a.Line, a.Size, a.Turn, a.Vertical, a.FontTenths, a.MarginTop,
                       a.MarginBottom, a.MarginSide, a.PageNumbers, a.Title, a.TitleText, a.Author),
              std::tie(b.Column, b.Line, b.Size, b.Turn, b.Vertical, b.FontTenths, b.MarginTop,
                       b.MarginBottom, b.MarginSide, b.PageNumbers, b.Title, b.TitleText,
                       b.Author));
}

} // namespace
