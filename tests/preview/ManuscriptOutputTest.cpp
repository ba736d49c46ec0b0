// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDialogs.h"
#include "PdfFile.h"
#include "QtTestApplication.h"
#include "ShiftJisText.h"
#include "cli/CliRunner.h"
#include "documents/TextEncoding.h"
#include "preview/ManuscriptPreview.h"
#include "preview/PdfExportCommand.h"
#include "shell/TempFolder.h"

#include <QAction>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

#include <filesystem>

#include <unistd.h>

namespace {

const char* const Prose = "　「おはよう。今日は早いね」と母が言った。\r\n"
                          "　「うん、宿題を忘れたんだ……」\r\n"
                          "　僕はそう答えて、ランドセルを背負った。外はまだ薄暗い。";

TPaper Paper(std::int32_t column, std::int32_t line)
{
    TPaper paper;
    paper.Column = column;
    paper.Line = line;
    return paper;
}

// The preview window on its own, showing the prose on the given paper.
struct PreviewOfProse
{
    explicit PreviewOfProse(TPaper paper_) : paper(std::move(paper_))
    {
        preview.ShowText([] { return Sjis(Prose); });
    }
    const TPaper paper;
    PreviewSettings settings;
    ManuscriptPreview preview{nullptr, paper, settings, QStringLiteral("IPAGothic")};
};

TEST(ManuscriptOutput, OnePdfPagePerSheet)
{
    const TempFolder folder;
    std::string novel;
    for (int i = 0; i < 12; ++i)
        novel += Sjis(Prose) + "\r\n";
    for (const auto& [paper, vertical] :
         {std::pair{Paper(20, 20), true}, std::pair{Paper(5, 2), false},
          std::pair{Paper(7, 3), true}}) {
        const ManuscriptLayout layout(paper, novel);
        QString error;
        const std::string path = folder.File("sheets.pdf");
        ASSERT_EQ(WriteManuscriptPdf(QString::fromStdString(path), layout,
                                     {vertical, QStringLiteral("IPAMincho")}, PdfPaper::B4, {},
                                     error),
                  OutputResult::Written);
        EXPECT_EQ(PdfPages(path), paper.Count(novel).Sheets);
    }
}

// Printing goes through the print dialog; here the printer is a PDF file.
TEST(ManuscriptOutput, PrintsOneSheetPerPage)
{
    const TempFolder folder;
    PreviewOfProse shown(Paper(10, 4));
    ManuscriptPreview& preview = shown.preview;
    const QString path = QString::fromStdString(folder.File("printed.pdf"));
    AnswerModal<QPrintDialog>([path](QPrintDialog* dialog) {
        dialog->printer()->setOutputFileName(path);
        dialog->done(QDialog::Accepted); // the printer as set here, whatever printers there are
    });
    preview.findChild<QAction*>(QStringLiteral("PrintItem"))->trigger();
    EXPECT_EQ(PdfPages(path.toStdString()), shown.paper.Count(Sjis(Prose)).Sheets);
}

// A folder that cannot be written: the writer is told, and nothing is left behind.
TEST(ManuscriptOutput, FailedExportLeavesNothing)
{
    const TempFolder folder;
    const std::string notAFolder = folder.Write("notes.txt", "x");
    PreviewOfProse shown(TPaper{});
    ManuscriptPreview& preview = shown.preview;
    QString message;
    AnswerModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    const QString target = QString::fromStdString(notAFolder + "/sheets.pdf");
    EXPECT_FALSE(preview.ExportPdf(target, PdfPaper::A4));
    EXPECT_TRUE(message.startsWith(target + QStringLiteral(u" に書き込めません")))
        << message.toStdString();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

// Cancel between two pages: the export stops and leaves no file behind.
TEST(ManuscriptOutput, CancelledExportLeavesNothing)
{
    const TempFolder folder;
    PreviewOfProse shown(Paper(1, 1));
    ManuscriptPreview& preview = shown.preview;
    ASSERT_GT(preview.SheetCount(), 20);
    int pages = 0;
    QObject::connect(&preview, &ManuscriptPreview::ExportProgress, &preview, [&] {
        if (++pages == 3)
            preview.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    });
    EXPECT_FALSE(
        preview.ExportPdf(QString::fromStdString(folder.File("sheets.pdf")), PdfPaper::B4));
    EXPECT_EQ(pages, 3);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(ManuscriptOutput, ExportForScripts)
{
    const TempFolder folder;
    const std::string text = folder.Write("story.txt", Sjis(Prose));
    const std::string settings = folder.Write("k.ini", "[Paper]\nColumn=5\nLine=2\n");
    const std::string out = folder.File("story.pdf");
    struct Row
    {
        const char* fact;
        std::vector<std::string> arguments;
        int status;
    };
    const Row rows[] = {
        {"written", {"--export-pdf", out, "--settings", settings, text}, 0},
        {"written horizontally", {"--export-pdf", out, "--horizontal", text}, 0},
        {"no FILE", {"--export-pdf", out}, 2},
        {"two FILEs", {"--export-pdf", out, text, text}, 2},
        {"an unknown option", {"--export-pdf", out, "--landscape", text}, 2},
        {"an unreadable settings file",
         {"--export-pdf", out, "--settings", folder.File("no"), text},
         2},
        {"an unreadable FILE", {"--export-pdf", out, folder.File("missing.txt")}, 1},
        {"OUT cannot be written", {"--export-pdf", folder.File("story.txt/x.pdf"), text}, 1},
    };
    for (const Row& row : rows) {
        std::filesystem::remove(out);
        const CliResult result = RunProgram(KOTONAMI_PATH, folder, row.arguments);
        EXPECT_EQ(result.status, row.status) << row.fact << "\n" << result.err;
        EXPECT_EQ(std::filesystem::exists(out), row.status == 0) << row.fact;
        EXPECT_EQ(result.err.empty(), row.status == 0) << row.fact;
    }
    RunProgram(KOTONAMI_PATH, folder, {"--export-pdf", out, "--settings", settings, text});
    EXPECT_EQ(PdfPages(out), Paper(5, 2).Count(Sjis(Prose)).Sheets);
}

// A FILE that another program cuts short while the export reads it is named with the reason,
// with status 1 and no PDF; read again as it now is, it is exported.
TEST(ManuscriptOutput, ExportOfAFileCutWhileItIsReadSaysSo)
{
    const TempFolder folder;
    std::string novel;
    while (novel.size() < (std::size_t{1} << 20))
        novel += Sjis(Prose) + "\r\n";
    const std::string text = folder.Write("story.txt", novel);
    const std::string settings = folder.Write("k.ini", "[Paper]\nColumn=5\nLine=2\n");
    const std::string out = folder.File("story.pdf");
    const std::vector<std::string> arguments = {"--export-pdf", out, "--settings", settings, text};
    testing::internal::CaptureStderr();
    const int status = ExportPdf(
        arguments, [](const std::string& path) { ASSERT_EQ(::truncate(path.c_str(), 4096), 0); });
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "kotonami: " + text + ": 読み込み中にファイルが変更されました\n");
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(ExportPdf(arguments), 0);
    EXPECT_TRUE(std::filesystem::exists(out));
}

// A script exports a file of any encoding as the window shows it: every twin of a text gives the
// pages of its Shift-JIS form.
TEST(ManuscriptOutput, ExportReadsEveryEncodingAsItsShiftJisTwin)
{
    const TempFolder folder;
    const std::string settings = folder.Write("k.ini", "[Paper]\nColumn=5\nLine=2\n");
    std::string novel;
    for (int i = 0; i < 4; ++i)
        novel += std::string(Prose) + "\n";
    const std::u16string text = QString::fromUtf8(novel).toStdU16String();
    const int sheets = Paper(5, 2).Count(Sjis(novel.c_str())).Sheets;
    for (const TextEncoding encoding : AllEncodings) {
        SCOPED_TRACE(EncodingName(encoding));
        std::string bytes;
        EncodeText(text, encoding, LineBreak::Lf, true, bytes);
        const std::string file = folder.Write("twin.txt", bytes);
        const std::string out = folder.File("twin.pdf");
        const CliResult result =
            RunProgram(KOTONAMI_PATH, folder, {"--export-pdf", out, "--settings", settings, file});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(PdfPages(out), sheets);
    }
}

} // namespace
