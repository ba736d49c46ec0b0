// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// "サイズ" has one meaning wherever it is shown: the bytes of the text as its file holds them, in
// its own encoding and with its own line breaks, or as a text not yet saved would be saved.

#include "WindowHarness.h"

#include "cli/CliRunner.h"
#include "controls/QtShiftJis.h"
#include "documents/TextEncoding.h"

#include <QRegularExpression>

namespace {

const QString Novel = QStringLiteral(u"吾輩は猫である。ﾈｺ\nHello world\n\n名前はまだ無い。");

std::string InEncoding(TextEncoding encoding, const QString& text, LineBreak brk, bool final)
{
    std::string bytes;
    EncodeText(QtShiftJis::View(text), encoding, brk, final, bytes);
    return bytes;
}

class WindowSizeTest : public WindowTest
{
protected:
    // The figure after "サイズ : " in 全文書の文字数's report.
    QString ReportedSize()
    {
        ReportCatcher reports;
        Action("K1")->trigger();
        EXPECT_EQ(reports.Shown.size(), 1);
        return SizeIn(reports.Shown.value(0));
    }

    // The size in the companion's --stats of the files.
    static QString CompanionSize(const std::vector<std::string>& files)
    {
        const TempFolder folder;
        std::vector<std::string> arguments = {"--stats"};
        arguments.insert(arguments.end(), files.begin(), files.end());
        const CliResult result = RunCli(folder, arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        return SizeIn(QString::fromStdString(result.out));
    }

    static QString SizeIn(const QString& report)
    {
        static const QRegularExpression size(QStringLiteral(u"サイズ : (\\d+ \\(bytes\\))"));
        return size.match(report).captured(1);
    }

    static QString Bytes(std::size_t size) { return QStringLiteral("%1 (bytes)").arg(size); }
};

// Every encoding, every line break, with a final break and without: the panel, the panel's
// figures of the whole text selected (the mark of an encoding is no part of the text), Ctrl+N's
// report and the companion all give the file's size.
TEST_F(WindowSizeTest, ThePanelTheReportAndTheCompanionGiveTheFilesBytes)
{
    const TextEncoding encodings[] = {TextEncoding::ShiftJis, TextEncoding::Utf8,
                                      TextEncoding::Utf8Bom,  TextEncoding::Utf16Le,
                                      TextEncoding::Utf16Be,  TextEncoding::EucJp};
    std::vector<std::string> files;
    std::size_t total = 0;
    for (const TextEncoding encoding : encodings) {
        const std::size_t mark = InEncoding(encoding, {}, LineBreak::Lf, true).size();
        for (const LineBreak brk : AllLineBreaks) {
            for (const bool final : {true, false}) {
                SCOPED_TRACE(testing::Message() << EncodingName(encoding) << " "
                                                << LineBreakName(brk) << " final " << final);
                const std::string bytes = InEncoding(encoding, Novel, brk, final);
                const std::string name = std::string(EncodingName(encoding)) + "-" +
                                         LineBreakName(brk) + (final ? "-final" : "") + ".txt";
                const std::string path = Write(name.c_str(), bytes);
                Form->OpenFile(path);
                EXPECT_EQ(Field("TextSize"), Bytes(bytes.size()));
                Editor()->selectAll();
                EXPECT_EQ(Field("TextSize"), Bytes(bytes.size() - mark));
                Editor()->moveCursor(QTextCursor::End);
                EXPECT_EQ(Field("TextSize"), Bytes(bytes.size()));
                total += bytes.size();
                EXPECT_EQ(ReportedSize(), Bytes(total)) << "every tab open so far";
                EXPECT_EQ(CompanionSize({path}), Bytes(bytes.size()));
                // Typed and taken back, the text is the file's again.
                Type(u"猫"_qs);
                Editor()->undo();
                EXPECT_EQ(Field("TextSize"), Bytes(bytes.size()));
                files.push_back(path);
            }
        }
    }
    // All of them at once, the report adding up the front tab and those behind it.
    EXPECT_EQ(CompanionSize(files), Bytes(total));
}

// A text never saved is measured as it will be saved: Shift-JIS with CR LF, its final break as
// typed; and the size follows a change of the encoding it is saved in.
TEST_F(WindowSizeTest, AnUnsavedTextIsMeasuredAsItWillBeSaved)
{
    int saved = 0;
    for (const QString& typed : {u"猫と犬"_qs, u"猫\n犬\n"_qs, u"猫\n\n犬"_qs}) {
        SCOPED_TRACE(typed.toStdString());
        Action("New1")->trigger();
        Editor()->insertPlainText(typed);
        const QString shown = Field("TextSize");
        EXPECT_EQ(ReportedSize(), shown);
        const std::string path = PathOf(("unsaved" + std::to_string(++saved) + ".txt").c_str());
        AnswerFileDialog(QString::fromStdString(path));
        Action("SaveAs1")->trigger();
        EXPECT_EQ(shown, Bytes(Read(path).size()));
        EXPECT_EQ(CompanionSize({path}), shown);
        Action("DeleteTabItem")->trigger();
    }
}

} // namespace
