#include "controls/TLineInfo.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextLayout>

#include "QtTestApplication.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace {

// A page as the window lays it out: the gutter at the left, the editor beside it, the gutter's
// top where the editor's first text line starts.
class GutterPage : public testing::Test
{
protected:
    void SetUp() override
    {
        Page.resize(400, 300);
        Editor = new QPlainTextEdit(&Page);
        Editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        Editor->setGeometry(60, 0, 340, 300);
        Gutter = new TLineInfo(&Page);
        Gutter->SetDefaultAddStr(QStringLiteral("0"));
        Gutter->SetEditor(Editor);
        Page.show();
        Place();
    }

    void Place()
    {
        Gutter->setFont(Editor->font());
        const int top = Editor->y() + Gutter->EditorTextTop();
        Gutter->move(4, top);
        Gutter->SetSize(Gutter->width(), Page.height() - top);
        Gutter->Refresh();
    }

    void SetText(const QString& text)
    {
        Editor->setPlainText(text);
        Gutter->Refresh();
    }

    int TextWidth(const QString& text) const
    {
        return QFontMetrics(Gutter->font()).horizontalAdvance(text);
    }

    // Where the editor puts a display line, in the gutter's coordinates.
    int EditorLineTop(int displayLine) const
    {
        const QTextBlock block = Editor->document()->findBlockByLineNumber(displayLine);
        const QTextLine line = block.layout()->lineAt(displayLine - block.firstLineNumber());
        QTextCursor cursor(block);
        cursor.setPosition(block.position() + line.textStart());
        const int top = Editor->cursorRect(cursor).top();
        return Editor->viewport()->mapTo(&Page, QPoint(0, top)).y() - Gutter->y();
    }

    QWidget Page;
    QPlainTextEdit* Editor = nullptr;
    TLineInfo* Gutter = nullptr;
};

QString Lines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("line %1 of the manuscript").arg(i);
    return lines.join(QChar('\n'));
}

TEST_F(GutterPage, WidthFollowsTheColumnsShown)
{
    SetText(QStringLiteral("あいうえおかきくけこ\nabc"));
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
        {false, false, 0, 0, "both off: the gutter gives its room to the editor"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fact);
        Gutter->SetShowLineNum(true);
        Gutter->SetShowAddStr(true);
        Gutter->Refresh();
        const int before = Gutter->width();
        QSignalSpy changed(Gutter, &TLineInfo::OnChangeSize);
        Gutter->SetShowLineNum(c.lineNum);
        Gutter->SetShowAddStr(c.addStr);
        Gutter->Refresh();
        if (c.lineNum || c.addStr) {
            EXPECT_EQ(Gutter->AddStrLeft(), c.addStrLeft);
        }
        EXPECT_EQ(Gutter->width(), c.width);
        EXPECT_EQ(Gutter->isEnabled(), c.lineNum || c.addStr);
        if (c.width != before || c.width == 0) {
            EXPECT_GE(changed.count(), 1);
        }
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
        EXPECT_EQ(Gutter->AddStr(1), QString::fromUtf8(c.shown));
    }
}

TEST_F(GutterPage, RowsBelowTheLastLineShowNumbersAndZero)
{
    SetText(QStringLiteral("あいう\nabcd"));
    ASSERT_GT(Gutter->RowCount(), 4);
    EXPECT_EQ(Gutter->TopLineNum(), 1);
    EXPECT_EQ(Gutter->AddStr(0), "3");
    EXPECT_EQ(Gutter->AddStr(1), "4");
    for (int row = 2; row < Gutter->RowCount(); ++row)
        EXPECT_EQ(Gutter->AddStr(row), "0") << "row " << row;
    // The number column is as wide as the number on the last row.
    EXPECT_EQ(Gutter->AddStrLeft(), TextWidth(QString::number(Gutter->RowCount())) + 4);
}

TEST_F(GutterPage, NumbersFollowAScrollToLine100)
{
    SetText(Lines(1000));
    Gutter->SetSize(Gutter->width(), 30 * Gutter->Pitch());
    ASSERT_EQ(Gutter->RowCount(), 30);
    Editor->verticalScrollBar()->setValue(99); // the gutter follows the scroll by itself
    EXPECT_EQ(Gutter->TopLineNum(), 100);
    EXPECT_EQ(Gutter->AddStrLeft(), TextWidth(QStringLiteral("129")) + 4);
    EXPECT_EQ(Gutter->AddStr(0),
              QString::number(QStringLiteral("line 100 of the manuscript").size()));
    EXPECT_EQ(Gutter->AddStr(29),
              QString::number(QStringLiteral("line 129 of the manuscript").size()));
}

TEST_F(GutterPage, WithWordWrapEveryRowIsADisplayLine)
{
    Editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    SetText(QString(100, QChar(0x3042)) + QStringLiteral("\nabc\n") + Lines(50));
    const QTextBlock first = Editor->document()->firstBlock();
    const int wrapped = first.layout()->lineCount();
    ASSERT_GT(wrapped, 1);
    int total = 0;
    for (int row = 0; row < wrapped; ++row)
        total += Gutter->AddStr(row).toInt();
    EXPECT_EQ(total, 100);
    EXPECT_EQ(Gutter->AddStr(wrapped), "3");
    EXPECT_EQ(Gutter->AddStr(wrapped + 1), QString::number(Lines(1).size()));

    Editor->verticalScrollBar()->setValue(1); // the second display line of the long line on top
    EXPECT_EQ(Gutter->TopLineNum(), 2);
    EXPECT_EQ(Gutter->AddStr(wrapped - 1), "3");
}

TEST_F(GutterPage, RowsLineUpWithTheEditorsLinesAtAnyFont)
{
    for (int pointSize : {9, 20}) {
        SCOPED_TRACE(pointSize);
        QFont font = Editor->font();
        font.setPointSize(pointSize);
        Editor->setFont(font);
        SetText(QStringLiteral("abc\nあいう\n\nｱｲｳ ABC\nline five"));
        Place();
        for (int row = 0; row < 5; ++row)
            EXPECT_EQ(Gutter->RowTop(row), EditorLineTop(row)) << "row " << row;
        EXPECT_EQ(Gutter->RowTop(5) - Gutter->RowTop(4), Gutter->Pitch());
    }
}

TEST_F(GutterPage, LineSpaceAddsTwentiethsOfAPixelPerRow)
{
    SetText(Lines(3));
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
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Gutter->RowTop(i) - plain[i], row.moved[i])
                << "LineSpace " << row.lineSpace << ", row " << i;
    }
}

TEST_F(GutterPage, TheLargestLineSpaceIsAcceptedAndPushesTheRowsOutOfView)
{
    SetText(Lines(3));
    const int top = Gutter->RowTop(0);
    ASSERT_TRUE(Gutter->SetLineSpace(std::numeric_limits<int>::max()));
    Gutter->SetSize(Gutter->width(), Gutter->height());
    Gutter->Refresh();
    EXPECT_EQ(Gutter->RowCount(), 1);
    EXPECT_EQ(Gutter->RowTop(0), top + std::numeric_limits<int>::max() / 30);
}

TEST_F(GutterPage, LineSpaceThatWouldStopTheRowsIsRefused)
{
    ASSERT_TRUE(Gutter->SetLineSpace(10));
    EXPECT_FALSE(Gutter->SetLineSpace(-20 * Gutter->Pitch()));
    EXPECT_FALSE(Gutter->SetLineSpace(-40 * Gutter->Pitch()));
    EXPECT_EQ(Gutter->LineSpace(), 10);
    EXPECT_TRUE(Gutter->SetLineSpace(-20 * Gutter->Pitch() + 20));
}

TEST_F(GutterPage, DocumentLinesFillTheRows)
{
    SetText(Lines(3));
    const std::vector<std::string> lines = {"\x82\xA0\x82\xA2", "", "abc"}; // "あい", "", "abc"
    Gutter->Refresh(lines);
    EXPECT_EQ(Gutter->AddStr(0), "2");
    EXPECT_EQ(Gutter->AddStr(1), "0");
    EXPECT_EQ(Gutter->AddStr(2), "3");
    EXPECT_EQ(Gutter->AddStr(3), "0");
}

} // namespace
