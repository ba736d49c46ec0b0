// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Files of other encodings through the window: open, count, save, Save As, reopen, rewrite.

#include "WindowHarness.h"

#include "controls/QtShiftJis.h"
#include "documents/TextEncoding.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLabel>

namespace {

// A short text and its bytes in an encoding, with the given line break.
const std::string Utf8Cat = "猫が二匹。ﾈｺ\n名前はまだ無い。";

std::string InEncoding(TextEncoding encoding, std::string_view utf8, LineBreak brk, bool final)
{
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::string bytes;
    EncodeText(QtShiftJis::View(text), encoding, brk, final, bytes);
    return bytes;
}

class WindowEncodingTest : public WindowTest
{
protected:
    QString EncodingPanel() const
    {
        return Form->findChild<QLabel*>(QStringLiteral("StatusPanel4"))->text();
    }
};

// A file whose last line has no break shows no empty line after it, in every encoding and with
// every line break: typed at the very end, a character joins the last line, and the file keeps
// its lines.
TEST_F(WindowEncodingTest, NoEmptyLineFollowsALastLineWithoutABreak)
{
    for (const TextEncoding encoding : AllEncodings) {
        for (const LineBreak brk : AllLineBreaks) {
            SCOPED_TRACE(testing::Message() << EncodingName(encoding) << LineBreakName(brk));
            const std::string path = Write("open.txt", InEncoding(encoding, Utf8Cat, brk, false));
            Form->OpenFile(path);
            ASSERT_EQ(EncodingPanel(), EncodingName(encoding));
            EXPECT_EQ(Editor()->document()->blockCount(), 2);
            EXPECT_EQ(Field("LineNumber"), QStringLiteral("2"));
            QTest::keyClick(Editor(), Qt::Key_End, Qt::ControlModifier);
            Type(u"ﾈ"_qs);
            Action("Save1")->trigger();
            EXPECT_EQ(Read(path), InEncoding(encoding, Utf8Cat + "ﾈ", brk, false));
            Action("DeleteTabItem")->trigger();
        }
    }
}

// Every encoding opens with its name shown and the counts of the Shift-JIS twin, and Save
// writes the very bytes it read, from the shown tab and from a tab in the background.
TEST_F(WindowEncodingTest, OpenedAndSavedUnchangedIsByteIdentical)
{
    const std::string twin = Write("twin.txt", Sjis(Utf8Cat) + "\r\n");
    Form->OpenFile(twin);
    const auto twinFields = Fields();
    const struct
    {
        TextEncoding encoding;
        LineBreak brk;
        bool final;
        const char* name;
    } rows[] = {
        {TextEncoding::Utf8, LineBreak::Lf, false, "UTF-8"},
        {TextEncoding::Utf8Bom, LineBreak::CrLf, true, "UTF-8 (BOM)"},
        {TextEncoding::Utf16Le, LineBreak::CrLf, true, "UTF-16LE"},
        {TextEncoding::Utf16Be, LineBreak::Cr, false, "UTF-16BE"},
        {TextEncoding::EucJp, LineBreak::Lf, true, "EUC-JP"},
    };
    for (const auto& row : rows) {
        const std::string bytes = InEncoding(row.encoding, Utf8Cat, row.brk, row.final);
        const std::string path = Write(row.name, bytes);
        Form->OpenFile(path);
        EXPECT_EQ(EncodingPanel(), row.name);
        auto fields = Fields();
        EXPECT_EQ(fields[5], QStringLiteral("%1 (bytes)").arg(bytes.size())) << row.name;
        fields[5] = twinFields[5];
        EXPECT_EQ(fields, twinFields) << row.name;
        Action("Save1")->trigger();
        EXPECT_EQ(Read(path), bytes) << row.name;
    }
    ClickTab(1);
    AnswerModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); }); // the new tab
    Action("AllSave")->trigger(); // every other tab is saved from its stored text
    for (const auto& row : rows)
        EXPECT_EQ(Read(PathOf(row.name)), InEncoding(row.encoding, Utf8Cat, row.brk, row.final))
            << row.name;
}

TEST_F(WindowEncodingTest, CharactersWithoutShiftJisFormCountAsOneAndSurviveARewrite)
{
    const std::string path = Write("yoshi.txt", "𠮷野家😀\n");
    Form->OpenFile(path);
    EXPECT_EQ(Field("CharNumber"), "4");
    EXPECT_EQ(Field("TextSize"), QStringLiteral("%1 (bytes)").arg(std::string("𠮷野家😀\n").size()));
    Action("ToDoubleBytes")->trigger();
    EXPECT_EQ(Editor()->toPlainText(), u"𠮷野家😀\n"_qs);
    EXPECT_EQ(EncodingPanel(), "UTF-8");
}

TEST_F(WindowEncodingTest, SaveAsWritesTheChosenEncoding)
{
    EXPECT_EQ(EncodingPanel(), "Shift-JIS"); // a new document
    Type(u"猫"_qs);
    const std::string path = PathOf("cat.txt");
    AnswerFileDialog(QString::fromStdString(path), [](QFileDialog* dialog) {
        Control<QComboBox>(dialog, "SaveEncodingBox")->setCurrentText(QStringLiteral("UTF-16LE"));
    });
    Action("SaveAs1")->trigger();
    EXPECT_EQ(Read(path), std::string("\xFF\xFE\x2B\x73", 4));
    EXPECT_EQ(EncodingPanel(), "UTF-16LE");
}

// After Save As, "サイズ" is the size of the file just written, in whichever encoding it took.
TEST_F(WindowEncodingTest, SizeAfterSaveAsIsTheSavedFilesSize)
{
    Editor()->insertPlainText(u"猫が二匹。\nabc\n名前はまだ無い。"_qs);
    for (const TextEncoding encoding : AllEncodings) {
        SCOPED_TRACE(EncodingName(encoding));
        const std::string path =
            PathOf(("cat" + std::to_string(static_cast<int>(encoding)) + ".txt").c_str());
        AnswerFileDialog(QString::fromStdString(path), [encoding](QFileDialog* dialog) {
            Control<QComboBox>(dialog, "SaveEncodingBox")
                ->setCurrentText(QString::fromLatin1(EncodingName(encoding)));
        });
        Action("SaveAs1")->trigger();
        EXPECT_EQ(EncodingPanel(), QString::fromLatin1(EncodingName(encoding)));
        EXPECT_EQ(Field("TextSize"), QStringLiteral("%1 (bytes)").arg(Read(path).size()));
    }
}

// "すべて保存" of an untitled tab behind the front one leaves the window's caption to the front.
TEST_F(WindowEncodingTest, SavingAllKeepsTheCaptionOfTheTabInFront)
{
    Type(u"裏"_qs);
    Form->OpenFile(Write("front.txt", "front"));
    const QString title = Form->windowTitle();
    AnswerFileDialog(QString::fromStdString(PathOf("behind.txt")));
    Action("AllSave")->trigger();
    EXPECT_EQ(Read(PathOf("behind.txt")), Sjis("裏"));
    EXPECT_EQ(Form->windowTitle(), title);
}

// Each file keeps its own line break and final break when saved unchanged, "サイズ" is the size
// of the file, the status bar names the break, and the window counts what the companion counts.
TEST_F(WindowEncodingTest, EveryFileIsSavedAsItCameAndCountedAsTheCompanionCounts)
{
    const struct
    {
        const char* name;
        std::string bytes;
        const char* characters;
        const char* lineBreak;
    } rows[] = {
        {"sjis-lf.txt", Sjis("吾輩は\n猫である\n"), "7", "LF"},
        {"sjis-cr.txt", Sjis("吾輩は\r猫である"), "7", "CR"},
        {"sjis-crlf-no-final.txt", Sjis("吾輩は\r\n猫である"), "7", "CR+LF"},
        {"sjis-none.txt", Sjis("吾輩は猫"), "4", "CR+LF"},
        {"utf16-lone.txt",
         std::string("\xFF\xFE\x42\x30\x00\xDE\x44\x30\x29\x20\x0A\x00\x48\x30", 14), "5", "LF"},
        {"utf8-separator.txt", "あい\xE2\x80\xA9\nう", "4", "LF"},
    };
    for (const auto& row : rows) {
        const std::string path = Write(row.name, row.bytes);
        Form->OpenFile(path);
        EXPECT_EQ(Field("CharNumber"), row.characters) << row.name;
        EXPECT_EQ(Field("TextSize"), QStringLiteral("%1 (bytes)").arg(row.bytes.size()))
            << row.name;
        EXPECT_EQ(Form->findChild<QLabel*>(QStringLiteral("LineBreakPanel"))->text(), row.lineBreak)
            << row.name;
        Type(u"x"_qs);
        Editor()->undo();
        Action("Save1")->trigger();
        EXPECT_EQ(Read(path), row.bytes) << row.name;
    }
    Action("New1")->trigger();
    Editor()->insertPlainText(u"猫\n犬"_qs);
    const std::string path = PathOf("cat.txt");
    AnswerFileDialog(QString::fromStdString(path), [](QFileDialog* dialog) {
        Control<QComboBox>(dialog, "SaveLineBreakBox")->setCurrentText(QStringLiteral("LF"));
    });
    Action("SaveAs1")->trigger();
    EXPECT_EQ(Read(path), Sjis("猫\n犬"));
}

TEST_F(WindowEncodingTest, SavingToEucJpAsksAboutCharactersItCannotHold)
{
    const std::string bytes = InEncoding(TextEncoding::EucJp, Utf8Cat, LineBreak::Lf, true);
    const std::string path = Write("euc.txt", bytes);
    Form->OpenFile(path);
    ASSERT_EQ(EncodingPanel(), "EUC-JP");
    Editor()->insertPlainText(u"𠮷"_qs); // typed through an input method
    QString question;
    AnswerMessageBox(QMessageBox::No, &question);
    Action("Save1")->trigger();
    EXPECT_TRUE(question.contains(u"EUC-JP で保存できない文字があります"));
    EXPECT_EQ(Read(path), bytes);
}

TEST_F(WindowEncodingTest, ReopeningAModifiedTabInAnotherEncodingAsksFirst)
{
    const std::string path = Write("u.txt", "猫\n");
    Form->OpenFile(path);
    Type("x");
    AnswerMessageBox(QMessageBox::No);
    Action("ReopenWithEncodingItem")->trigger();
    EXPECT_EQ(Editor()->toPlainText(), u"x猫\n"_qs);
    EXPECT_EQ(Form->StatusText(3), u"変更");

    AnswerMessageBox(QMessageBox::Yes);
    AnswerModal<QInputDialog>([](QInputDialog* dialog) {
        dialog->setTextValue(QStringLiteral("Shift-JIS"));
        dialog->accept();
    });
    Action("ReopenWithEncodingItem")->trigger();
    EXPECT_EQ(EncodingPanel(), "Shift-JIS");
    EXPECT_EQ(Editor()->GetText(), "\xE7\x8C\xAB\r\n"); // the bytes, as Shift-JIS sees them
    EXPECT_EQ(Form->StatusText(3), "");
}

} // namespace
