// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TLineInfo.h"
#include "controls/TRichEditEx.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "Eventually.h"
#include "QtTestApplication.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

// The editor with its gutter, shown; the gutter's figures are those of its last paint.
class GutterPage : public testing::Test
{
protected:
    void SetUp() override
    {
        Editor.SetInitializing(false);
        Editor.setLineWrapMode(QPlainTextEdit::NoWrap);
        Editor.resize(400, 300);
        Gutter->SetDefaultAddStr(QStringLiteral("0"));
        Editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Editor));
    }

    void SetText(const QString& text) { Editor.setPlainText(text); }

    int TextWidth(const QString& text) const
    {
        return QFontMetrics(Gutter->font()).horizontalAdvance(text);
    }

    // The row's text once the gutter has painted it.
    QString Shown(int row, const QString& expected) const
    {
        return Eventually([this, row] { return Gutter->AddStr(row); }, expected);
    }

    // Where the editor puts a line (no wrapping), in the gutter's coordinates.
    int EditorLineTop(int line) const
    {
        const QTextCursor cursor(Editor.document()->findBlockByNumber(line));
        return Editor.viewport()->y() + Editor.cursorRect(cursor).top() - Gutter->y();
    }

    TRichEditEx Editor;
    TLineInfo* Gutter = Editor.LineInfo();
};

QString Lines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("line %1 of the manuscript").arg(i);
    return lines.join(QChar('\n'));
}

TEST_F(GutterPage, WidthFollowsTheColumnsShownAndTheTextAreaTakesTheRest)
{
    SetText(QStringLiteral("あいうえおかきくけこ\nabc"));
    ASSERT_EQ(Shown(0, "10"), "10");
    const int numbers = TextWidth(QString::number(Gutter->RowCount())) + 4;
    const int information = TextWidth(QStringLiteral("000")); // room for three digits at least
    struct Case
    {
        bool lineNum, addStr;
        int addStrLeft, width;
        const char* fact;
    };
    const Case cases[] = {
        {true, true, numbers, numbers + information + 4 + 4, "numbers, bar and counts"},
        {true, false, numbers, numbers, "numbers only: as wide as the largest number + 4"},
        {false, true, 0, information + 4, "counts only: no bar, widest count + 4"},
        {false, false, 0, 0, "both off: the gutter gives its room to the text area"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fact);
        Gutter->SetShowLineNum(c.lineNum);
        Gutter->SetShowAddStr(c.addStr);
        EXPECT_EQ(Eventually([this] { return Gutter->width(); }, c.width), c.width);
        if (c.lineNum || c.addStr) {
            EXPECT_EQ(Gutter->AddStrLeft(), c.addStrLeft);
        }
        EXPECT_EQ(Gutter->isEnabled(), c.lineNum || c.addStr);
        EXPECT_EQ(Gutter->x(), Editor.contentsRect().left());
        EXPECT_EQ(Editor.viewport()->x(), Gutter->x() + (c.width > 0 ? c.width + 1 : 0));
        Gutter->SetShowLineNum(true);
        Gutter->SetShowAddStr(true);
    }
}

TEST_F(GutterPage, CountsEachVisibleLineUnderTheSwitches)
{
    struct Case
    {
        const char* line; // UTF-8
        bool countSpace, countDoubleByteSpace;
        const char* shown;
    };
    const Case cases[] = {
        {"", true, true, "0"},      {"あいうえお", true, true, "5"}, {"ｱｲｳ", true, true, "3"},
        {"a b c", true, true, "5"}, {"a b c", false, true, "3"},     {"　あ", true, true, "2"},
        {"　あ", true, false, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        CountOptions options;
        options.countSpace = c.countSpace;
        options.countDoubleByteSpace = c.countDoubleByteSpace;
        Gutter->SetCountOptions(options);
        SetText(QStringLiteral("first\n") + QString::fromUtf8(c.line) + QStringLiteral("\nlast"));
        EXPECT_EQ(Shown(1, c.shown), c.shown);
    }
}

// The ruby switch alone changes what a line with a reading counts: the gutter must not wait for
// another switch to change before it shows the new figures.
TEST_F(GutterPage, FlippingOnlyTheRubySwitchRecountsALineWithAReading)
{
    SetText(QStringLiteral(u"first\n｜東京《とうきょう》\nlast"));
    CountOptions options;
    Gutter->SetCountOptions(options);
    EXPECT_EQ(Shown(1, QStringLiteral("10")), QStringLiteral("10"));
    options.excludeRuby = true;
    Gutter->SetCountOptions(options);
    EXPECT_EQ(Shown(1, QStringLiteral("2")), QStringLiteral("2"));
    options.excludeRuby = false;
    Gutter->SetCountOptions(options);
    EXPECT_EQ(Shown(1, QStringLiteral("10")), QStringLiteral("10"));
}

TEST_F(GutterPage, RowsBelowTheLastLineShowNumbersAndTheDefaultText)
{
    SetText(QStringLiteral("あいう\nabcd"));
    ASSERT_EQ(Shown(1, "4"), "4");
    ASSERT_GT(Gutter->RowCount(), 4);
    EXPECT_EQ(Gutter->TopLineNum(), 1);
    EXPECT_EQ(Gutter->AddStr(0), "3");
    for (int row = 2; row < Gutter->RowCount(); ++row)
        EXPECT_EQ(Gutter->AddStr(row), "0") << "row " << row;
    // The number column is as wide as the number on the last row.
    EXPECT_EQ(Gutter->AddStrLeft(), TextWidth(QString::number(Gutter->RowCount())) + 4);
}

TEST_F(GutterPage, NumbersFollowAScrollToLine100)
{
    SetText(Lines(1000));
    QApplication::processEvents();
    const int width = Gutter->width();
    Editor.verticalScrollBar()->setValue(99);
    EXPECT_EQ(Eventually([this] { return Gutter->TopLineNum(); }, 100), 100);
    const int last = 99 + Gutter->RowCount();
    // The column holds the text's largest number from the start: scrolling never widens it.
    EXPECT_EQ(Gutter->AddStrLeft(), TextWidth(QString::number(1000)) + 4);
    EXPECT_EQ(Gutter->width(), width);
    EXPECT_EQ(Gutter->AddStr(0),
              QString::number(QStringLiteral("line 100 of the manuscript").size()));
    EXPECT_EQ(Gutter->AddStr(Gutter->RowCount() - 1),
              QString::number(QStringLiteral("line %1 of the manuscript").arg(last).size()));
}

TEST_F(GutterPage, WithWordWrapEveryRowIsADisplayLine)
{
    Editor.setLineWrapMode(QPlainTextEdit::WidgetWidth);
    SetText(QString(100, QChar(0x3042)) + QStringLiteral("\nabc\n") + Lines(50));
    // The gutter takes its width, the editor wraps anew, and "abc" comes right after the wrapped
    // line.
    const auto wrappedLines = [this] {
        return Editor.document()->firstBlock().layout()->lineCount();
    };
    ASSERT_EQ(Eventually([&] { return Gutter->AddStr(wrappedLines()); }, "3"), "3");
    const int wrapped = wrappedLines();
    ASSERT_GT(wrapped, 1);
    int total = 0;
    for (int row = 0; row < wrapped; ++row)
        total += Gutter->AddStr(row).toInt();
    EXPECT_EQ(total, 100);
    EXPECT_EQ(Gutter->AddStr(wrapped + 1), QString::number(Lines(1).size()));

    Editor.verticalScrollBar()->setValue(1); // the second display line of the long line on top
    EXPECT_EQ(Shown(wrapped - 1, "3"), "3");
    EXPECT_EQ(Gutter->TopLineNum(), 2);
}

TEST_F(GutterPage, RowsLineUpWithTheEditorsLinesAtAnyFont)
{
    SetText(QStringLiteral("abc\nあいう\n\nｱｲｳ ABC\nline five"));
    for (int pointSize : {9, 20}) {
        SCOPED_TRACE(pointSize);
        QFont font = Editor.font();
        font.setPointSize(pointSize);
        Editor.setFont(font);
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(
                Eventually([this, row] { return Gutter->RowTop(row) - EditorLineTop(row); }, 0), 0)
                << "row " << row;
        EXPECT_EQ(Gutter->RowTop(5) - Gutter->RowTop(4), Gutter->Pitch());
    }
}

TEST_F(GutterPage, LineSpaceAddsTwentiethsOfAPixelPerRow)
{
    SetText(Lines(3));
    ASSERT_EQ(Shown(0, "24"), "24");
    const int top = Gutter->RowTop(0);
    const int step = Gutter->RowTop(2) - Gutter->RowTop(1);
    ASSERT_TRUE(Gutter->SetLineSpace(20));
    EXPECT_EQ(Gutter->RowTop(0), top);
    EXPECT_EQ(Gutter->RowTop(2) - Gutter->RowTop(1), step + 1);
    ASSERT_TRUE(Gutter->SetLineSpace(30));
    EXPECT_EQ(Gutter->RowTop(0), top + 1);
}

TEST_F(GutterPage, LineSpaceMovesEachRowByItsCarriedTwentieths)
{
    SetText(Lines(3));
    ASSERT_EQ(Shown(0, "24"), "24");
    const int plain[3] = {Gutter->RowTop(0), Gutter->RowTop(1), Gutter->RowTop(2)};
    const struct
    {
        int lineSpace;
        int moved[3]; // pixels each of the first three rows moves
    } rows[] = {
        {20, {0, 1, 2}},    // one pixel more per row
        {30, {1, 2, 4}},    // a first row one pixel down
        {10, {0, 0, 1}},    // half a pixel per row: the second row gains it
        {-10, {0, -1, -1}}, // half a pixel less per row: the first gap already loses a pixel
        {-30, {-1, -3, -4}},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(Gutter->SetLineSpace(row.lineSpace)) << row.lineSpace;
        for (int i = 0; i < 3; ++i) {
            const int moved =
                Eventually([this, i] { return Gutter->RowTop(i); }, plain[i] + row.moved[i]) -
                plain[i];
            EXPECT_EQ(moved, row.moved[i]) << "LineSpace " << row.lineSpace << ", row " << i;
        }
    }
}

TEST_F(GutterPage, TheLargestLineSpaceIsAcceptedAndPushesTheRowsOutOfView)
{
    SetText(Lines(3));
    ASSERT_EQ(Shown(0, "24"), "24");
    const int top = Gutter->RowTop(0);
    ASSERT_TRUE(Gutter->SetLineSpace(std::numeric_limits<int>::max()));
    EXPECT_EQ(Gutter->RowCount(), 1);
    const int expected = top + std::numeric_limits<int>::max() / 30;
    EXPECT_EQ(Eventually([this] { return Gutter->RowTop(0); }, expected), expected);
}

TEST_F(GutterPage, LineSpaceThatWouldStopTheRowsIsRefused)
{
    ASSERT_TRUE(Gutter->SetLineSpace(10));
    EXPECT_FALSE(Gutter->SetLineSpace(-20 * Gutter->Pitch()));
    EXPECT_FALSE(Gutter->SetLineSpace(-40 * Gutter->Pitch()));
    EXPECT_EQ(Gutter->LineSpace(), 10);
    EXPECT_TRUE(Gutter->SetLineSpace(-20 * Gutter->Pitch() + 20));
}

// A tab of the window brings its own document into the editor; the rows follow it.
TEST_F(GutterPage, ANewDocumentInTheEditorFillsTheRows)
{
    SetText(Lines(3));
    ASSERT_EQ(Shown(0, "24"), "24");
    QTextDocument other;
    other.setDocumentLayout(new QPlainTextDocumentLayout(&other));
    other.setPlainText(QStringLiteral("あい\n\nabc"));
    Editor.setDocument(&other);
    EXPECT_EQ(Shown(0, "2"), "2");
    EXPECT_EQ(Gutter->AddStr(1), "0");
    EXPECT_EQ(Gutter->AddStr(2), "3");
    EXPECT_EQ(Gutter->AddStr(3), "0");
    other.setPlainText(QStringLiteral("abcd"));
    EXPECT_EQ(Shown(0, "4"), "4");
    Editor.setDocument(nullptr); // before `other` goes
}

} // namespace
