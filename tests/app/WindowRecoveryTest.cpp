// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved changes outlive a window that ends without closing: their recovery files come back in
// the next window exactly as they were, and go when the writer saves, closes or discards them.

#include "WindowHarness.h"

#include "analysis/Cp932Table.h"
#include "controls/EditorDocument.h"

#include <QDir>
#include <QStatusBar>

#include <map>

namespace {

// Every duplicate pair of code page 932, twenty to a line.
std::string EveryDuplicatePair()
{
    std::string bytes;
    for (std::size_t i = 0; i < Cp932Table::DuplicatePairCount; ++i) {
        bytes += static_cast<char>(Cp932Table::DuplicatePairs[i].pair >> 8);
        bytes += static_cast<char>(Cp932Table::DuplicatePairs[i].pair & 0xFF);
        if (i % 20 == 19)
            bytes += "\r\n";
    }
    return bytes + "\r\n";
}

// Every character to which Shift-JIS gives the code of another, with that other one: the codec
// encodes both to one code, which decodes to the second (〜 and ～, − and －, ‖ and ∥, ¬ and ￢,
// …).
QString CharactersSharingACode()
{
    QString shared;
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000)
            continue;
        const std::u16string one(1, static_cast<char16_t>(c));
        std::string code;
        if (!Cp932::Encode(one, code))
            continue;
        if (const std::u16string back = Cp932::Decode(code); back != one)
            shared += QString::fromUtf16(one.data(), 1) +
                      QString::fromUtf16(back.data(), static_cast<qsizetype>(back.size()));
    }
    return shared;
}

struct Shown
{
    std::string form; // the counting form, with the file's own byte pairs
    QString text;
    int caret;
};

class WindowRecoveryTest : public WindowTest
{
protected:
    QString Folder() const { return QString::fromStdString(PathOf("kotonami/recovery")); }

    int RecoveryFiles() const
    {
        return static_cast<int>(
            QDir(Folder()).entryList({QStringLiteral("*.recovery")}, QDir::Files).size());
    }

    // The files are written a few seconds after the last edit.
    void WaitForRecoveryFiles(int count) const
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return RecoveryFiles() == count; }, 20000))
            << RecoveryFiles() << " recovery files instead of " << count;
    }

    std::map<QString, Shown> EveryTab(TForm1& form) const
    {
        std::map<QString, Shown> tabs;
        auto* bar = form.findChild<QTabBar*>("TabControl1");
        for (int i = 0; i < bar->count(); ++i) {
            bar->setCurrentIndex(i);
            TRichEditEx* editor = form.Editor();
            EXPECT_TRUE(editor->GetModified()) << bar->tabText(i).toStdString();
            tabs[bar->tabText(i)] = {editor->Text()->Text(), editor->Text()->toRawText(),
                                     editor->textCursor().position()};
        }
        return tabs;
    }

    // A new window after the crash of the test's own, answering the recovery question.
    std::unique_ptr<TForm1> StartAnother(const QString& answer, QString* list = nullptr)
    {
        AnswerModal<QMessageBox>([answer, list](QMessageBox* box) {
            EXPECT_EQ(box->windowTitle(), QStringLiteral(u"未保存の変更の復元"));
            EXPECT_EQ(box->defaultButton()->text(), QStringLiteral(u"復元する"));
            if (list)
                *list = box->informativeText();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == answer)
                    button->click();
        });
        auto form = std::make_unique<TForm1>();
        form->StartUp({});
        return form;
    }
};

TEST_F(WindowRecoveryTest, EditsOfACrashedWindowComeBackExactly)
{
    const std::string pairs = EveryDuplicatePair();
    const std::string pairsPath = Write("pairs.txt", pairs);
    const std::string utf8 = "é𠮷한〓猫\n二行目\n";
    const std::string utf8Path = Write("utf8.txt", utf8);
    Type(QStringLiteral(u"新しい話é〓"));
    Editor()->insertPlainText(QStringLiteral(u"😀")); // beyond the keys: two UTF-16 units
    Form->OpenFile(pairsPath);
    Editor()->moveCursor(QTextCursor::End);
    Type(QStringLiteral(u"末尾"));
    Form->OpenFile(utf8Path);
    Editor()->moveCursor(QTextCursor::Down);
    Type(QStringLiteral(u"ü"));
    const std::map<QString, Shown> before = EveryTab(*Form);
    WaitForRecoveryFiles(3);

    Form.reset(); // no close: as a crash leaves it
    QString list;
    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"), &list);
    for (const char* name : {"pairs.txt", "utf8.txt"})
        EXPECT_TRUE(list.contains(QString::fromUtf8(name))) << list.toStdString();
    const std::map<QString, Shown> after = EveryTab(*next);
    ASSERT_EQ(after.size(), 3u);
    for (const auto& [caption, shown] : before) {
        ASSERT_TRUE(after.count(caption)) << caption.toStdString();
        EXPECT_EQ(after.at(caption).form, shown.form) << caption.toStdString();
        EXPECT_EQ(after.at(caption).text, shown.text) << caption.toStdString();
        EXPECT_EQ(after.at(caption).caret, shown.caret) << caption.toStdString();
    }
    // Nothing goes to the files until the writer saves; the new window keeps the recovery files.
    EXPECT_EQ(Read(pairsPath), pairs);
    EXPECT_EQ(Read(utf8Path), utf8);
    EXPECT_EQ(RecoveryFiles(), 3);

    // Closed normally, having declined every save, the window leaves none behind.
    ModalCatcher<QMessageBox> decline(
        [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    next->close();
    EXPECT_EQ(decline.Count(), 3);
    EXPECT_EQ(RecoveryFiles(), 0);
}

// The characters typed into a document of each encoding, and into one never saved, come back as
// typed, not as the ones that share their Shift-JIS code.
TEST_F(WindowRecoveryTest, EveryCharacterComesBackInEveryEncoding)
{
    const QString shared = CharactersSharingACode();
    for (const char16_t c : {u'〜', u'～', u'−', u'－', u'‖', u'∥', u'¬', u'￢', u'¢', u'£'})
        ASSERT_TRUE(shared.contains(QChar(c))) << "the codec's pairs include " << int(c);
    Type(shared);
    for (const TextEncoding encoding : AllEncodings) {
        const std::string name = std::string("in-") + EncodingName(encoding) + ".txt";
        std::string bytes;
        EncodeText(u"吾輩は猫である。名前はまだ無い。\n", encoding, LineBreak::Lf, true, bytes);
        Form->OpenFile(Write(name.c_str(), bytes));
        ASSERT_EQ(Form->findChild<QLabel*>("StatusPanel4")->text(),
                  QString::fromLatin1(EncodingName(encoding)));
        Editor()->moveCursor(QTextCursor::End);
        Type(shared);
    }
    const std::map<QString, Shown> before = EveryTab(*Form);
    WaitForRecoveryFiles(1 + static_cast<int>(std::size(AllEncodings)));

    Form.reset(); // no close: as a crash leaves it
    const std::unique_ptr<TForm1> next = StartAnother(QStringLiteral(u"復元する"));
    const std::map<QString, Shown> after = EveryTab(*next);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [caption, shown] : before) {
        ASSERT_TRUE(after.count(caption)) << caption.toStdString();
        EXPECT_EQ(after.at(caption).text, shown.text) << caption.toStdString();
        EXPECT_EQ(after.at(caption).form, shown.form) << caption.toStdString();
    }
}

TEST_F(WindowRecoveryTest, LaterKeepsTheFilesAndDiscardRemovesThem)
{
    Type(QStringLiteral("draft"));
    WaitForRecoveryFiles(1);
    Form.reset();

    std::unique_ptr<TForm1> later = StartAnother(QStringLiteral(u"後で"));
    EXPECT_EQ(later->findChild<QTabBar*>("TabControl1")->count(), 1);
    EXPECT_EQ(later->Editor()->GetText(), "");
    EXPECT_EQ(RecoveryFiles(), 1);
    later.reset();

    const std::unique_ptr<TForm1> discard = StartAnother(QStringLiteral(u"破棄する"));
    EXPECT_EQ(discard->Editor()->GetText(), "");
    EXPECT_EQ(RecoveryFiles(), 0);
}

TEST_F(WindowRecoveryTest, SavingOrClosingTheDocumentRemovesItsFile)
{
    Type(QStringLiteral("saved"));
    WaitForRecoveryFiles(1);
    AnswerFileDialog(QString::fromStdString(PathOf("saved.txt")));
    Action("SaveAs1")->trigger();
    EXPECT_EQ(Read(PathOf("saved.txt")), "saved");
    EXPECT_EQ(RecoveryFiles(), 0);

    Action("New1")->trigger();
    Type(QStringLiteral("dropped"));
    WaitForRecoveryFiles(1);
    AnswerMessageBox(QMessageBox::No);
    Action("DeleteTabItem")->trigger();
    EXPECT_EQ(RecoveryFiles(), 0);
}

} // namespace

namespace {

// A folder that cannot be made: a notice in the status bar, and typing goes on.
TEST_F(WindowRecoveryTest, AnUnwritableFolderIsToldInTheStatusBar)
{
    qputenv("XDG_STATE_HOME", PathOf("Kotonami.ini").c_str()); // a file, not a folder
    Type(QStringLiteral("lost?"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return Form->statusBar()->currentMessage().contains(QStringLiteral(u"書き込めません"));
        },
        20000));
    Type(QStringLiteral("!"));
    EXPECT_EQ(Editor()->GetText(), "lost?!");
}

} // namespace
