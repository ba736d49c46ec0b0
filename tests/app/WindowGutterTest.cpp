// The line-information gutter in the real window: the menu switches, the counts of the visible
// lines while typing, opening and switching documents, scrolling, the line-space dialog and the
// counting switches.

#include "WindowHarness.h"

#include "controls/TLineInfo.h"
#include "dialogs/TSetLineSpaceForm.h"

#include <QFontDialog>
#include <QFrame>
#include <QLayout>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

class WindowGutterTest : public WindowTest
{
protected:
    TLineInfo* Gutter() const { return Form->findChild<TLineInfo*>("LineInfo1"); }
    // The page's area inside its frame and the design's margins, without room for the gutter.
    QRect Page() const
    {
        QRect area = Form->findChild<QFrame*>("TabPage")->contentsRect().adjusted(0, 2, -2, -2);
        area.setLeft(Gutter()->x());
        return area;
    }

    int TextWidth(const QString& text) const
    {
        return QFontMetrics(Gutter()->font()).horizontalAdvance(text);
    }

    QStringList Counts(int rows) const
    {
        QStringList counts;
        for (int row = 0; row < rows; ++row)
            counts << Gutter()->AddStr(row);
        return counts;
    }

    // Where the editor puts a display line and where the gutter puts its row, in window terms.
    int EditorLineTop(int displayLine) const
    {
        const QTextBlock block = Editor()->document()->findBlockByLineNumber(displayLine);
        const int top = Editor()->cursorRect(QTextCursor(block)).top();
        return Editor()->viewport()->mapTo(Form.get(), QPoint(0, top)).y();
    }
    int RowTop(int row) const
    {
        return Gutter()->mapTo(Form.get(), QPoint(0, Gutter()->RowTop(row))).y();
    }

    void SetText(const QString& text) { Editor()->setPlainText(text); }

    static QString Lines(int count)
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QStringLiteral("line %1").arg(i);
        return lines.join(QChar('\n'));
    }
};

TEST_F(WindowGutterTest, MenuSwitchesSetTheColumnsAndTheEditorTakesTheRest)
{
    Type(u"あいうえおかきくけこ"_qs);
    const int numbers = TextWidth(QString::number(Gutter()->RowCount())) + 4;
    const int information = TextWidth(QStringLiteral("000")); // room for three digits at least
    const struct
    {
        const char* toggle; // the menu switch the writer clicks
        bool lineNum, addStr;
        int width;
    } rows[] = {
        {nullptr, true, true, numbers + information + 4 + 4},
        {"ShowLineNumItem", false, true, information + 4}, // no bar, information from x 0
        {"LineInfoItem", false, false, 0},                 // off: the editor has the page
        {"ShowLineNumItem", true, false, numbers},         // only the numbers
        {"LineInfoItem", true, true, numbers + information + 4 + 4},
    };
    for (const auto& row : rows) {
        if (row.toggle)
            Action(row.toggle)->trigger();
        SCOPED_TRACE(row.toggle ? row.toggle : "start");
        EXPECT_EQ(Action("ShowLineNumItem")->isChecked(), row.lineNum);
        EXPECT_EQ(Action("LineInfoItem")->isChecked(), row.addStr);
        EXPECT_EQ(Gutter()->width(), row.width);
        EXPECT_EQ(Editor()->geometry().left(),
                  row.width == 0 ? Page().left() : Page().left() + row.width + 1);
        EXPECT_EQ(Editor()->geometry().right(), Page().right());
    }
}

TEST_F(WindowGutterTest, TypingRenewsTheCountsOfTheVisibleLines)
{
    Type("abc");
    EXPECT_EQ(Counts(3), (QStringList{"3", "0", "0"}));
    QTest::keyClick(Editor(), Qt::Key_Return);
    QTest::keyClick(Editor(), Qt::Key_Return);
    Type(u"あいうえお"_qs);
    // Lines 1 to 3, then rows below the last line with their numbers and "0".
    EXPECT_EQ(Counts(5), (QStringList{"3", "0", "5", "0", "0"}));
    EXPECT_EQ(Gutter()->TopLineNum(), 1);
    QTest::keyClick(Editor(), Qt::Key_Backspace);
    EXPECT_EQ(Gutter()->AddStr(2), "4");
}

TEST_F(WindowGutterTest, CountingSwitchesChangeTheCounts)
{
    Type(u"a b\tc　d"_qs);
    EXPECT_EQ(Gutter()->AddStr(0), "7");
    const struct
    {
        const char* action;
        const char* count;
    } rows[] = {
        {"SpaceItem", "6"},           // blanks no longer count
        {"TabItem", "5"},             // nor tabs
        {"DoubleByteSpaceItem", "4"}, // nor double-byte blanks
        {"SpaceItem", "5"},           // and blanks count again
    };
    for (const auto& row : rows) {
        Action(row.action)->trigger();
        EXPECT_EQ(Gutter()->AddStr(0), row.count) << row.action;
    }
}

TEST_F(WindowGutterTest, OpeningAndSwitchingShowTheDocumentsLines)
{
    const std::string first = Write("first.txt", "abc\r\n\r\n" + Sjis("日本語です") + "\r\n");
    const std::string second = Write("second.txt", "abcdefg\r\nxy\r\n");
    Form->OpenFile(first);
    EXPECT_EQ(Counts(4), (QStringList{"3", "0", "5", "0"}));
    Form->OpenFile(second);
    EXPECT_EQ(Counts(3), (QStringList{"7", "2", "0"}));
    ClickTab(Tabs()->count() - 2);
    EXPECT_EQ(Counts(4), (QStringList{"3", "0", "5", "0"}));
    ClickTab(Tabs()->count() - 1);
    EXPECT_EQ(Counts(3), (QStringList{"7", "2", "0"}));
}

TEST_F(WindowGutterTest, NumbersFollowTheEditorWhateverScrollsIt)
{
    SetText(Lines(300));
    Editor()->verticalScrollBar()->setValue(99);
    EXPECT_EQ(Gutter()->TopLineNum(), 100);
    EXPECT_EQ(Gutter()->AddStr(0), "8"); // "line 100"
    EXPECT_EQ(Gutter()->AddStrLeft(), TextWidth(QString::number(Gutter()->RowCount() + 99)) + 4);
    EXPECT_EQ(RowTop(0), EditorLineTop(99));
    EXPECT_GE(Gutter()->RowTop(0), 0); // the first row whole, not cut by the gutter's top

    // The wheel scrolls the editor without a scroll-bar action; the rows follow all the same.
    QWheelEvent wheel(QPointF(20, 20), Editor()->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Editor()->viewport(), &wheel);
    const int first = Editor()->verticalScrollBar()->value();
    ASSERT_GT(first, 99);
    EXPECT_EQ(Gutter()->TopLineNum(), first + 1);
    EXPECT_EQ(RowTop(0), EditorLineTop(first));
}

// Word wrap takes the horizontal scroll bar away and gives the text area another line or two.
TEST_F(WindowGutterTest, GutterSpansTheTextAreaWhenWordWrapChangesIt)
{
    SetText(Lines(200).replace(QChar('\n'), QString(60, QChar('x')) + QChar('\n')));
    const auto textArea = [this] {
        return Editor()->viewport()->geometry().translated(Editor()->pos());
    };
    for (int round = 0; round < 2; ++round) {
        Action("WordWrapItem")->trigger();
        QApplication::processEvents();
        EXPECT_EQ(Gutter()->geometry().top(), textArea().top()) << round;
        EXPECT_EQ(Gutter()->geometry().bottom(), textArea().bottom()) << round;
        const int step = Gutter()->Pitch();
        EXPECT_EQ(Gutter()->RowCount(), (Gutter()->height() + step - 1) / step) << round;
    }
}

TEST_F(WindowGutterTest, RowsMeetTheEditorsLinesAfterTheFontCommand)
{
    SetText(Lines(40));
    for (const int pointSize : {9, 20}) {
        QFont font = Editor()->font();
        font.setPointSize(pointSize);
        AnswerModal<QFontDialog>([font](QFontDialog* dialog) {
            dialog->setCurrentFont(font);
            dialog->accept();
        });
        Action("FontSettingItem")->trigger();
        ASSERT_EQ(Editor()->font().pointSize(), pointSize);
        EXPECT_EQ(Gutter()->font(), Editor()->font());
        QApplication::processEvents(); // the page's layout settles the new gutter width
        for (const int line : {0, 1, 5})
            EXPECT_EQ(RowTop(line), EditorLineTop(line)) << pointSize << " pt, line " << line;
    }
}

TEST_F(WindowGutterTest, LineSpaceDialogThroughTheMenu)
{
    const int pitch = Gutter()->Pitch();
    const struct
    {
        const char* typed;
        Qt::Key key;
        int lineSpace; // in force afterwards
    } rows[] = {
        {"40", Qt::Key_Return, 40},       // Enter confirms: 2 more pixels per row
        {"60", Qt::Key_Escape, 40},       // Escape cancels
        {"2x", Qt::Key_Return, 40},       // not an integer: the spacing stays
        {"-20", Qt::Key_Enter, -20},      // narrower rows are allowed
        {"-100000", Qt::Key_Return, -20}, // rows on top of each other are not
        {"0", Qt::Key_Return, 0},
    };
    for (const auto& row : rows) {
        const QString typed = QString::fromLatin1(row.typed);
        const Qt::Key key = row.key;
        AnswerModal<TSetLineSpaceForm>([typed, key](TSetLineSpaceForm* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("LineSpaceEdit");
            edit->clear();
            QTest::keyClicks(edit, typed);
            QTest::keyClick(edit, key);
        });
        Action("SetLineSpaceItem")->trigger();
        EXPECT_EQ(Gutter()->LineSpace(), row.lineSpace) << row.typed;
        // The rows are recounted for the spacing in force.
        const int step = (pitch * 20 + row.lineSpace) / 20;
        EXPECT_EQ(Gutter()->RowCount(), (Gutter()->height() + step - 1) / step) << row.typed;
    }
}

TEST_F(WindowGutterTest, LineSpaceDialogShowsTheSpacingInForce)
{
    ASSERT_TRUE(Gutter()->SetLineSpace(30));
    QString shown;
    AnswerModal<TSetLineSpaceForm>([&shown](TSetLineSpaceForm* dialog) {
        shown = dialog->findChild<QLineEdit*>("LineSpaceEdit")->text();
        dialog->reject();
    });
    Action("SetLineSpaceItem")->trigger();
    EXPECT_EQ(shown, "30");
}

} // namespace

namespace {

// Each change of the gutter's width re-wraps the whole text; a count crossing 100 on a wrapped
// row must not make the gutter widen and narrow again while the writer types.
TEST_F(WindowGutterTest, TypingAcrossOneHundredKeepsTheGutterWidth)
{
    Form->resize(1400, 400); // a row wide enough for well over 100 narrow characters
    Action("WordWrapItem")->trigger();
    Type(QString(60, QChar(u'a')));
    const int width = Gutter()->width();
    for (int i = 0; i < 90; ++i) {
        QTest::keyClick(Editor(), 'a');
        ASSERT_EQ(Gutter()->width(), width) << "after " << 61 + i << " characters";
    }
}

} // namespace
