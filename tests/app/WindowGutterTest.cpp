// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The line-information gutter in the real window: the menu switches, the counts of the visible
// lines while typing, opening and switching documents, scrolling, the line-space dialog and the
// counting switches.

#include "WindowHarness.h"

#include "controls/TLineInfo.h"
#include "dialogs/TSetLineSpaceForm.h"

#include "Eventually.h"

#include <QFontDialog>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

// The gutter paints when Qt paints the window; its figures are those of its last paint, so every
// check waits for them.
class WindowGutterTest : public WindowTest
{
protected:
    TLineInfo* Gutter() const { return Editor()->LineInfo(); }

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
    QStringList CountsSoon(const QStringList& expected) const
    {
        return Eventually([this, &expected] { return Counts(expected.size()); }, expected);
    }

    // What the gutter shows, "first number: count, count, …", and what it should show for the
    // lines in view: numbers from the first visible line + 1, each row the count of its line or
    // "0" below the text.
    std::string Shown() const
    {
        return (QString::number(Gutter()->TopLineNum()) + ": " +
                Counts(Gutter()->RowCount()).join(QChar(',')))
            .toStdString();
    }
    std::string LinesInView() const
    {
        const int first = Editor()->GetFirstVisibleLine();
        QStringList counts;
        for (int row = 0; row < Gutter()->RowCount(); ++row) {
            const QTextBlock block = Editor()->document()->findBlockByNumber(first + row);
            counts << QString::number(block.isValid() ? block.text().size() : 0);
        }
        return (QString::number(first + 1) + ": " + counts.join(QChar(','))).toStdString();
    }

    // Where the editor puts a line (no wrapping) and where the gutter puts its row, in the
    // editor's terms.
    int EditorLineTop(int line) const
    {
        const QTextCursor cursor(Editor()->document()->findBlockByNumber(line));
        return Editor()->viewport()->y() + Editor()->cursorRect(cursor).top();
    }
    int RowTop(int row) const { return Gutter()->y() + Gutter()->RowTop(row); }

    void SetText(const QString& text) { Editor()->setPlainText(text); }

    static QString Lines(int count)
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << QStringLiteral("line %1").arg(i);
        return lines.join(QChar('\n'));
    }
};

TEST_F(WindowGutterTest, MenuSwitchesSetTheColumnsAndTheTextAreaTakesTheRest)
{
    Type(u"あいうえおかきくけこ"_qs);
    ASSERT_EQ(CountsSoon({"10"}), QStringList{"10"});
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
        {"LineInfoItem", false, false, 0},                 // off: the text area has the editor
        {"ShowLineNumItem", true, false, numbers},         // only the numbers
        {"LineInfoItem", true, true, numbers + information + 4 + 4},
    };
    for (const auto& row : rows) {
        if (row.toggle)
            Action(row.toggle)->trigger();
        SCOPED_TRACE(row.toggle ? row.toggle : "start");
        EXPECT_EQ(Action("ShowLineNumItem")->isChecked(), row.lineNum);
        EXPECT_EQ(Action("LineInfoItem")->isChecked(), row.addStr);
        EXPECT_EQ(Eventually([this] { return Gutter()->width(); }, row.width), row.width);
        EXPECT_EQ(Gutter()->x(), Editor()->contentsRect().left());
        EXPECT_EQ(Editor()->viewport()->x(),
                  row.width == 0 ? Gutter()->x() : Gutter()->x() + row.width + 1);
    }
}

TEST_F(WindowGutterTest, TypingRenewsTheCountsOfTheVisibleLines)
{
    Type("abc");
    EXPECT_EQ(CountsSoon({"3", "0", "0"}), (QStringList{"3", "0", "0"}));
    QTest::keyClick(Editor(), Qt::Key_Return);
    QTest::keyClick(Editor(), Qt::Key_Return);
    Type(u"あいうえお"_qs);
    // Lines 1 to 3, then rows below the last line with their numbers and "0".
    const QStringList typed = {"3", "0", "5", "0", "0"};
    EXPECT_EQ(CountsSoon(typed), typed);
    EXPECT_EQ(Gutter()->TopLineNum(), 1);
    QTest::keyClick(Editor(), Qt::Key_Backspace);
    EXPECT_EQ(CountsSoon({"3", "0", "4"}), (QStringList{"3", "0", "4"}));
}

TEST_F(WindowGutterTest, CountingSwitchesChangeTheCounts)
{
    Type(u"a b\tc　d"_qs);
    EXPECT_EQ(CountsSoon({"7"}), QStringList{"7"});
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
        EXPECT_EQ(CountsSoon({row.count}), QStringList{row.count}) << row.action;
    }
}

TEST_F(WindowGutterTest, OpeningAndSwitchingShowTheDocumentsLines)
{
    const std::string first = Write("first.txt", "abc\r\n\r\n" + Sjis("日本語です") + "\r\n");
    const std::string second = Write("second.txt", "abcdefg\r\nxy\r\n");
    const QStringList firstCounts = {"3", "0", "5", "0"};
    const QStringList secondCounts = {"7", "2", "0"};
    Form->OpenFile(first);
    EXPECT_EQ(CountsSoon(firstCounts), firstCounts);
    Form->OpenFile(second);
    EXPECT_EQ(CountsSoon(secondCounts), secondCounts);
    ClickTab(Tabs()->count() - 2);
    EXPECT_EQ(CountsSoon(firstCounts), firstCounts);
    ClickTab(Tabs()->count() - 1);
    EXPECT_EQ(CountsSoon(secondCounts), secondCounts);
}

// Bytes that make no character of a file's encoding count as the panel counts them: one 〓 per
// unit in a file of another encoding than Shift-JIS.
TEST_F(WindowGutterTest, ALineCountsInTheGutterAsInThePanel)
{
    const struct
    {
        const char* fact;
        std::string bytes;
    } rows[] = {
        {"UTF-16LE with a lone surrogate", std::string("\xFF\xFE\x42\x30\x00\xDE\x44\x30", 8)},
        {"UTF-8 with a stray byte", "\xEF\xBB\xBF\xE3\x81\x82\x82\xE3\x81\x84"},
        {"UTF-8 with a cut sequence", "\xEF\xBB\xBF\xE3\x81\x82\xE3\x81\xE3\x81\x84"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fact);
        Form->OpenFile(Write("unit.txt", row.bytes));
        EXPECT_EQ(Field("CharNumber"), QStringLiteral("3"));
        EXPECT_EQ(CountsSoon({"3"}), QStringList{"3"});
        Action("DeleteTabItem")->trigger();
    }
}

// Every way the view moves: the keys that scroll (which once left the gutter behind), the wheel,
// a selection dragged past the bottom and typing at the last line. Line n holds n % 23 + 1
// characters, so that a row left beside another line shows a wrong count.
TEST_F(WindowGutterTest, NumbersAndCountsFollowEveryWayTheViewMoves)
{
    QStringList lines;
    for (int n = 1; n <= 300; ++n)
        lines << QString(n % 23 + 1, QChar(u'x'));
    SetText(lines.join(QChar('\n')));
    const auto key = [this](Qt::Key key, Qt::KeyboardModifiers modifiers, int times) {
        return [this, key, modifiers, times] {
            for (int i = 0; i < times; ++i)
                QTest::keyClick(Editor(), key, modifiers);
        };
    };
    const auto wheel = [this] {
        QWheelEvent event(QPointF(20, 20), Editor()->viewport()->mapToGlobal(QPointF(20, 20)),
                          QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(Editor()->viewport(), &event);
    };
    // Held above the text area, the mouse keeps selecting upwards and the editor keeps
    // scrolling, a line at a time, after where the pointer is.
    const auto drag = [this] {
        QWidget* area = Editor()->viewport();
        const QPoint above(20, -20);
        QTest::mousePress(area, Qt::LeftButton, {}, QPoint(20, area->height() / 2));
        QCursor::setPos(area->mapToGlobal(above));
        QMouseEvent move(QEvent::MouseMove, QPointF(above), area->mapToGlobal(QPointF(above)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        const int before = Editor()->GetFirstVisibleLine();
        QApplication::sendEvent(area, &move);
        static_cast<void>(QTest::qWaitFor(
            [this, before] { return Editor()->GetFirstVisibleLine() < before - 2; }));
        QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(20, 5));
    };
    const auto typeAtTheEnd = [this] {
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(Editor(), Qt::Key_Return);
            Type("abc");
        }
    };
    const int rows = Editor()->viewport()->height() / Gutter()->Pitch();
    const struct
    {
        const char* way;
        std::function<void()> move;
    } ways[] = {
        {"Down past the last line in view", key(Qt::Key_Down, Qt::NoModifier, rows + 5)},
        {"Page Down", key(Qt::Key_PageDown, Qt::NoModifier, 3)},
        {"Page Up", key(Qt::Key_PageUp, Qt::NoModifier, 1)},
        {"the wheel", wheel},
        {"a dragged selection", drag},
        {"Ctrl+End", key(Qt::Key_End, Qt::ControlModifier, 1)},
        {"typing at the last line", typeAtTheEnd},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        const int before = Editor()->GetFirstVisibleLine();
        way.move();
        EXPECT_NE(Editor()->GetFirstVisibleLine(), before) << "the view did not move";
        EXPECT_EQ(Eventually([this] { return Shown(); }, LinesInView()), LinesInView());
        EXPECT_EQ(RowTop(0), EditorLineTop(Editor()->GetFirstVisibleLine()));
    }
}

// Word wrap takes the horizontal scroll bar away and gives the text area another line or two.
TEST_F(WindowGutterTest, GutterSpansTheTextAreaWhenWordWrapChangesIt)
{
    SetText(Lines(200).replace(QChar('\n'), QString(60, QChar('x')) + QChar('\n')));
    const auto textArea = [this] { return Editor()->viewport()->geometry(); };
    for (int round = 0; round < 2; ++round) {
        Action("WordWrapItem")->trigger();
        EXPECT_EQ(Eventually([this] { return Gutter()->geometry().top(); }, textArea().top()),
                  textArea().top())
            << round;
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
        for (const int line : {0, 1, 5})
            EXPECT_EQ(Eventually([this, line] { return RowTop(line) - EditorLineTop(line); }, 0), 0)
                << pointSize << " pt, line " << line;
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
            auto* edit = Control<QLineEdit>(dialog, "LineSpaceEdit");
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
        shown = Control<QLineEdit>(dialog, "LineSpaceEdit")->text();
        dialog->reject();
    });
    Action("SetLineSpaceItem")->trigger();
    EXPECT_EQ(shown, "30");
}

// Each change of the gutter's width re-wraps the whole text; a count crossing 100 on a wrapped
// row must not make the gutter widen and narrow again while the writer types.
TEST_F(WindowGutterTest, TypingAcrossOneHundredKeepsTheGutterWidth)
{
    Form->resize(1400, 400); // a row wide enough for well over 100 narrow characters
    Action("WordWrapItem")->trigger();
    Type(QString(60, QChar(u'a')));
    ASSERT_EQ(CountsSoon({"60"}), QStringList{"60"});
    const int width = Gutter()->width();
    QSignalSpy widths(Gutter(), &TLineInfo::OnChangeSize);
    for (int i = 61; i <= 150; ++i) {
        QTest::keyClick(Editor(), 'a');
        const QStringList count = {QString::number(i)};
        ASSERT_EQ(CountsSoon(count), count);
    }
    EXPECT_EQ(widths.count(), 0);
    EXPECT_EQ(Gutter()->width(), width);
}

} // namespace
