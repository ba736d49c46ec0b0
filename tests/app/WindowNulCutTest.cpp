// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A file with a NUL before its end, as a writer meets one: the window shows the text before the
// NUL and says so on opening, and a save over the file asks first and writes nothing unasked.

#include "WindowHarness.h"

#include "controls/QtShiftJis.h"
#include "documents/TextEncoding.h"

#include <QLabel>

namespace {

class WindowNulCutTest : public WindowTest
{
protected:
    // Opens the file and answers the notice on opening; its text, or "" when none came.
    QString OpenAndKeepNotice(const std::string& path)
    {
        QString notice;
        AnswerMessageBox(QMessageBox::Ok, &notice);
        Form->OpenFile(path);
        return notice;
    }

    // Saves, answering the question about the NUL by its default button; the question's text, or
    // "" when none was asked (nothing is left waiting for one).
    QString SaveAnsweringByDefault()
    {
        QString question;
        ModalCatcher<QMessageBox> catcher([&question](QMessageBox* box) {
            question = box->text();
            ASSERT_NE(box->defaultButton(), nullptr);
            box->defaultButton()->click();
        });
        Action("Save1")->trigger();
        return question;
    }

    void SaveAnswering(QMessageBox::StandardButton answer)
    {
        AnswerMessageBox(answer);
        Action("Save1")->trigger();
    }

    static std::string Text(TextEncoding encoding, std::u16string_view text)
    {
        std::string bytes;
        EncodeText(text, encoding, LineBreak::Lf, true, bytes);
        return bytes;
    }
};

// Whatever the encoding, the notice names the file and the byte of the NUL, the panel counts the
// text before it, and the encoding is that of the text.
TEST_F(WindowNulCutTest, OpeningSaysWhereANulEndsTheTextInEveryEncoding)
{
    const std::string after = std::string(2, '\0') + Sjis("「ﾃﾞｰﾀ」ｱｲｳｴｵ\r\n");
    const std::u16string text = u"名前はまだ無い。\n";
    for (const TextEncoding encoding :
         {TextEncoding::ShiftJis, TextEncoding::Utf8, TextEncoding::Utf16Le, TextEncoding::EucJp}) {
        SCOPED_TRACE(EncodingName(encoding));
        const std::string before = Text(encoding, text);
        const std::string path = Write("nul.txt", before + after);
        const QString notice = OpenAndKeepNotice(path);
        EXPECT_EQ(notice, QStringLiteral(u"「%1」の %2 バイト目に NUL があるため、"
                                         u"その後ろは表示していません。")
                              .arg(QString::fromStdString(path))
                              .arg(before.size() + 1));
        EXPECT_EQ(Editor()->toPlainText(), QStringLiteral(u"名前はまだ無い。\n"));
        EXPECT_EQ(Field("CharNumber"), QStringLiteral("8"));
        EXPECT_EQ(Form->findChild<QLabel*>(QStringLiteral("StatusPanel4"))->text(),
                  QString::fromLatin1(EncodingName(encoding)));
        Action("DeleteTabItem")->trigger();
    }
    const ModalCatcher<QMessageBox> notices([](QMessageBox* box) { box->accept(); });
    Form->OpenFile(Write("whole.txt", Sjis("吾輩は猫である。\r\n")));
    EXPECT_EQ(notices.Count(), 0) << "a notice for a file without a NUL";
}

// One edit and Ctrl+S must not leave 11 bytes of a 20,000-byte file unasked: the save asks, its
// default keeps the file, closing the tab keeps it too, and only a yes writes the text alone.
TEST_F(WindowNulCutTest, ASaveAsksBeforeItCutsTheFileAtTheNul)
{
    std::string bytes = "abcdefghi\r\n";
    bytes += '\0';
    bytes.resize(20000, 'z');
    const std::string path = Write("novel.txt", bytes);
    ASSERT_FALSE(OpenAndKeepNotice(path).isEmpty());
    Type("x");

    const QString question = SaveAnsweringByDefault();
    EXPECT_TRUE(question.contains(QStringLiteral(u"12 バイト目の NUL"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral(u"19989 バイト"))) << question.toStdString();
    EXPECT_EQ(Read(path), bytes);
    EXPECT_EQ(Form->StatusText(3), u"変更");

    AnswerModal<QMessageBox>([](QMessageBox* saveQuestion) {
        AnswerMessageBox(QMessageBox::No); // the question about the NUL
        saveQuestion->button(QMessageBox::Yes)->click();
    });
    const int tabs = Tabs()->count();
    Action("DeleteTabItem")->trigger();
    EXPECT_EQ(Tabs()->count(), tabs) << "the tab closed without its text saved";
    EXPECT_EQ(Read(path), bytes);

    SaveAnswering(QMessageBox::Yes);
    EXPECT_EQ(Read(path), "xabcdefghi\r\n");
    EXPECT_EQ(Form->StatusText(3), u"");
    Type("y");
    EXPECT_EQ(SaveAnsweringByDefault(), QString()) << "asked again once the file holds the text";
    EXPECT_EQ(Read(path), "xyabcdefghi\r\n");
}

// Saved as another file, the text cuts nothing: no question, and the file read keeps its bytes.
TEST_F(WindowNulCutTest, SaveAsAnotherFileAsksNothingAndKeepsTheFileRead)
{
    const std::string bytes = Sjis("吾輩は猫である。\r\n") + std::string(1, '\0') + "rest";
    const std::string path = Write("novel.txt", bytes);
    OpenAndKeepNotice(path);
    Type("x");
    const std::string copy = PathOf("copy.txt");
    AnswerFileDialog(QString::fromStdString(copy));
    const ModalCatcher<QMessageBox> questions([](QMessageBox* box) { box->reject(); });
    Action("SaveAs1")->trigger();
    EXPECT_EQ(questions.Count(), 0);
    EXPECT_EQ(Read(copy), Sjis("x吾輩は猫である。\r\n"));
    EXPECT_EQ(Read(path), bytes);
}

} // namespace
