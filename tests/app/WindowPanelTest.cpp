// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The live information panel, the selection display, the counting switches, the line modes and
// the status bar, driven through the editor and the menu actions.

#include "WindowHarness.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>

namespace {

QString Status(const TForm1& form, int panel)
{
    return form.StatusText(panel);
}

TEST_F(WindowTest, EmptyWindowShowsZeros)
{
    const std::array<QString, 6> zeros = {"0", "0", "0", "0 (words)", "0", "0 (bytes)"};
    EXPECT_EQ(Fields(), zeros);
    EXPECT_EQ(Form->windowTitle(), "Kotonami [  ]");
    EXPECT_EQ(Tabs()->count(), 1);
    EXPECT_EQ(Tabs()->tabText(0), u"新規");
    EXPECT_EQ(Status(*Form, 3), "");
}

TEST_F(WindowTest, TypingRenewsTheSixFields)
{
    Type("abc");
    EXPECT_EQ(Fields(), (std::array<QString, 6>{"3", "3", "1", "1 (words)", "1", "3 (bytes)"}));
    QTest::keyClick(Editor(), Qt::Key_Return);
    Type("def");
    EXPECT_EQ(Fields(), (std::array<QString, 6>{"6", "3", "2", "2 (words)", "1", "8 (bytes)"}));
    Type(u"日本"_qs);
    EXPECT_EQ(Field("CharNumber"), "8");
    EXPECT_EQ(Field("TextSize"), "12 (bytes)");
}

// Text being composed in an input method is not yet text: the figures, the modified mark and the
// undo history change only when the input method commits it.
TEST_F(WindowTest, OnlyTextTheInputMethodCommitsCounts)
{
    Type("ab");
    Editor()->document()->setModified(false);
    const std::array<QString, 6> before = Fields();
    QInputMethodEvent preedit(u"かんじ"_qs, {});
    QApplication::sendEvent(Editor(), &preedit);
    EXPECT_EQ(Fields(), before);
    EXPECT_EQ(Status(*Form, 3), "");
    EXPECT_EQ(Editor()->GetText(), "ab");

    QInputMethodEvent commit;
    commit.setCommitString(u"漢字"_qs);
    QApplication::sendEvent(Editor(), &commit);
    EXPECT_EQ(Fields(), (std::array<QString, 6>{"4", "4", "1", "1 (words)", "1", "6 (bytes)"}));
    EXPECT_EQ(Status(*Form, 3), u"変更");
    QTest::keyClick(Editor(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Editor()->GetText(), "ab");
    EXPECT_EQ(Fields(), before);
}

TEST_F(WindowTest, SelectionShowsItsFiguresThenTheWholeTextComesBack)
{
    Type("abc def");
    QTextCursor cursor = Editor()->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(cursor);
    EXPECT_EQ(Field("CharNumber"), "3");
    EXPECT_EQ(Field("WordNumber"), "1 (words)");
    EXPECT_EQ(Status(*Form, 2), u"選択部分のデータを表示中");

    cursor.setPosition(5, QTextCursor::KeepAnchor); // a wider selection is counted again
    Editor()->setTextCursor(cursor);
    EXPECT_EQ(Field("CharNumber"), "5");

    cursor.clearSelection();
    Editor()->setTextCursor(cursor);
    EXPECT_EQ(Field("CharNumber"), "7");
    EXPECT_EQ(Field("WordNumber"), "2 (words)");
    EXPECT_EQ(Status(*Form, 2), "");
}

TEST_F(WindowTest, CountingSwitchesRecountAtOnce)
{
    Type(u"a b\tc　d"_qs);
    EXPECT_EQ(Field("CharNumber"), "7");
    const struct
    {
        const char* action;
        const char* characters;
    } rows[] = {
        {"SpaceItem", "6"},           // the blank no longer counts
        {"TabItem", "5"},             // nor the tab
        {"DoubleByteSpaceItem", "4"}, // nor the double-byte blank
        {"SpaceItem", "5"},           // and the blank counts again
    };
    for (const auto& row : rows) {
        Action(row.action)->trigger();
        EXPECT_EQ(Field("CharNumber"), row.characters) << row.action;
    }
}

TEST_F(WindowTest, RubyAndNotesLeftOutCountWhatTheReaderReads)
{
    Type(u"｜漢字《かんじ》です［＃改ページ］"_qs);
    const std::array<QString, 6> asWritten = Fields();
    EXPECT_EQ(Field("CharNumber"), "17");
    Action("ExcludeRubyItem")->trigger();
    EXPECT_EQ(Field("CharNumber"), "4");
    EXPECT_EQ(Field("TextSize"), asWritten[5]); // the size stays the text as stored
    Action("ExcludeRubyItem")->trigger();
    EXPECT_EQ(Fields(), asWritten);
}

TEST_F(WindowTest, DisplayLinesFollowTheWrapping)
{
    Action("WordWrapItem")->trigger();
    // As narrow as the status bar's panels let the window be.
    Form->resize(Form->minimumWidth(), 351);
    Type(QString(400, u'x'));
    EXPECT_EQ(Field("LineNumber"), "1");

    QString notice;
    AnswerMessageBox(QMessageBox::Ok, &notice);
    Action("AppearanceLineItem")->trigger();
    EXPECT_TRUE(notice.startsWith(u"--注意--"));
    const int wrapped = Field("LineNumber").toInt();
    EXPECT_GT(wrapped, 1);
    EXPECT_EQ(wrapped, Editor()->GetLineCount());

    Form->resize(Form->width() * 2, 351); // wider: fewer display lines, recounted on resize
    EXPECT_TRUE(QTest::qWaitFor([&] { return Field("LineNumber").toInt() < wrapped; }));

    Action("LogicalLineItem")->trigger();
    EXPECT_EQ(Field("LineNumber"), "1");
    EXPECT_FALSE(Action("AppearanceLineItem")->isChecked());
}

TEST_F(WindowTest, DisplayLinesCountTheWholeTextNotOnlyWhatIsPainted)
{
    Action("WordWrapItem")->trigger();
    QString paragraph(300, u'x');
    QString text;
    for (int i = 0; i < 400; ++i)
        text += paragraph + u'\n';
    Editor()->setPlainText(text);
    const int perParagraph = [&] {
        const QTextBlock block = Editor()->document()->firstBlock();
        return block.layout()->lineCount();
    }();
    ASSERT_GT(perParagraph, 1);
    EXPECT_EQ(Editor()->GetLineCount(), 400 * perParagraph + 1);
}

TEST_F(WindowTest, AutomaticRenewalOffKeepsThePanelUntilRenewedByHand)
{
    Action("AutoRenewInfoItem")->trigger();
    Type("abc");
    EXPECT_EQ(Field("CharNumber"), "0");
    Action("RenewInfo")->trigger();
    EXPECT_EQ(Field("CharNumber"), "3");
    EXPECT_FALSE(Action("AutoRenewInfoItem")->isChecked());
    Action("AutoRenewInfoItem")->trigger();
    EXPECT_EQ(Field("CharNumber"), "3");
}

TEST_F(WindowTest, CaretPositionCountsLinesAndColumnsFromOne)
{
    EXPECT_EQ(Status(*Form, 1), u"1行 1桁");
    for (int line = 1; line < 12; ++line) {
        Type("line");
        QTest::keyClick(Editor(), Qt::Key_Return);
    }
    Type("abcd");
    EXPECT_EQ(Status(*Form, 1), u"12行 5桁");
    QTest::keyClick(Editor(), Qt::Key_Up);
    EXPECT_EQ(Status(*Form, 1), u"11行 5桁");

    Action("CursorPosInfoItem")->trigger();
    EXPECT_EQ(Status(*Form, 1), "");
    Action("CursorPosInfoItem")->trigger();
    EXPECT_EQ(Status(*Form, 1), u"11行 5桁");
}

TEST_F(WindowTest, ModifiedMarkFollowsTheEditor)
{
    EXPECT_EQ(Status(*Form, 3), "");
    Type("x");
    EXPECT_EQ(Status(*Form, 3), u"変更");
    QTest::keyClick(Editor(), Qt::Key_Z, Qt::ControlModifier); // undo back to the saved state
    EXPECT_EQ(Status(*Form, 3), "");
}

TEST_F(WindowTest, TabKeyInsertsATab)
{
    QTest::keyClick(Editor(), Qt::Key_Tab);
    EXPECT_EQ(Editor()->GetText(), "\t");
    EXPECT_TRUE(Editor()->hasFocus());
}

TEST_F(WindowTest, ClipboardTextUsesLineFeeds)
{
    Type("ab");
    QTest::keyClick(Editor(), Qt::Key_Return);
    Type("cd");
    Action("SelectAllItem")->trigger();
    Action("Copy1")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "ab\ncd");
    EXPECT_EQ(Editor()->GetSelectedText(), "ab\r\ncd");

    auto* data = new QMimeData;
    data->setHtml("<b>bold</b>");
    data->setText("plain");
    QApplication::clipboard()->setMimeData(data);
    Action("Paste1")->trigger();
    EXPECT_EQ(Editor()->GetText(), "plain");
}

TEST_F(WindowTest, ProgressBarFillsPanelZeroAndGivesBackTheCaretText)
{
    const QString caret = Status(*Form, 1);
    Form->BeginProgress(u"計算中"_qs);
    EXPECT_EQ(Status(*Form, 1), u"計算中");
    Form->SetProgress(0.5);
    const QImage half = Form->findChild<QWidget*>("StatusPanel0")->grab().toImage();
    EXPECT_EQ(half.pixelColor(4, half.height() / 2), QColor(0, 0, 128));
    EXPECT_NE(half.pixelColor(half.width() - 5, half.height() / 2), QColor(0, 0, 128));
    Form->EndProgress();
    EXPECT_EQ(Status(*Form, 1), caret);
}

} // namespace

namespace {

// A writer who enlarges the window wants more lines of text, not a taller information panel.
TEST_F(WindowTest, EnlargingTheWindowGivesTheRoomToTheEditor)
{
    const QWidget* panel = Form->findChild<QWidget*>("ScrollBox1");
    const int panelHeight = panel->height();
    const int editorHeight = Editor()->height();
    Form->resize(Form->width() + 300, Form->height() + 300);
    // The panel may lose its scroll bar on the way, and its height with it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Editor()->height() >= editorHeight + 300; }));
    QTest::qWait(20);
    EXPECT_GE(Editor()->height(), editorHeight + 300);
    EXPECT_LE(panel->height(), panelHeight);
}

} // namespace

namespace {

TEST_F(WindowTest, TheWindowCarriesTheProgramsIcon)
{
    EXPECT_FALSE(Form->windowIcon().isNull());
    EXPECT_FALSE(Form->windowIcon().pixmap(16, 16).isNull());
}

} // namespace
