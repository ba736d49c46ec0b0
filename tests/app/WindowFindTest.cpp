// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Finding, replacing, going to a line, undo in the menu, the tabs' keys and marks and the shown
// size, through the real window as a writer uses them.

#include "WindowHarness.h"

#include "controls/TLineInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QScrollBar>
#include <QSpinBox>
#include <QWheelEvent>

namespace {

QString Q(const char8_t* utf8)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8));
}

class WindowFindTest : public WindowTest
{
protected:
    QWidget* Bar() const { return Form->findChild<QWidget*>("FindBar"); }
    QComboBox* FindField() const { return Form->findChild<QComboBox*>("FindField"); }
    QLineEdit* ReplaceField() const { return Form->findChild<QLineEdit*>("ReplaceField"); }
    QString Status() const { return Form->findChild<QLabel*>("FindStatus")->text(); }
    QCheckBox* Box(const char* name) const { return Form->findChild<QCheckBox*>(name); }

    // A key as the writer presses it, to whatever has the focus.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : Form.get(), key, modifiers);
    }

    // Types into a field, characters beyond ASCII as the key's text.
    static void TypeInto(QWidget* field, const QString& text)
    {
        for (const QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(field, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_A, QString(ch), Qt::NoModifier);
        }
    }

    void SetText(const QString& text)
    {
        Editor()->setPlainText(text);
        QTextCursor start = Editor()->textCursor();
        start.setPosition(0);
        Editor()->setTextCursor(start);
    }

    // Opens the bar with Ctrl+F and types the term into its field.
    void Search(const QString& term)
    {
        Key(Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(Bar()->isVisible());
        ASSERT_EQ(QApplication::focusWidget(), FindField());
        FindField()->lineEdit()->clear();
        TypeInto(FindField()->lineEdit(), term);
    }

    std::pair<int, int> Selected() const
    {
        const QTextCursor cursor = Editor()->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }
};

TEST_F(WindowFindTest, EnterAndF3StepThroughTheMatchesAndWrap)
{
    SetText(QStringLiteral("one two one\nthree one"));
    Search(QStringLiteral("one"));
    EXPECT_EQ(Selected(), std::make_pair(0, 3)) << "typing finds from the caret";
    EXPECT_EQ(Status(), Q(u8"3 件中 1 件目"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Selected(), std::make_pair(8, 11));
    EXPECT_EQ(Status(), Q(u8"3 件中 2 件目"));
    Key(Qt::Key_F3);
    EXPECT_EQ(Selected(), std::make_pair(18, 21));
    EXPECT_EQ(Form->StatusText(1), Q(u8"2行 10桁")) << "the status bar follows the match";
    Key(Qt::Key_Return);
    EXPECT_EQ(Selected(), std::make_pair(0, 3)) << "past the end, from the start";
    EXPECT_TRUE(Status().startsWith(Q(u8"3 件中 1 件目"))) << Status().toStdString();
    EXPECT_TRUE(Status().contains(Q(u8"先頭から"))) << Status().toStdString();
    Key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), std::make_pair(18, 21)) << "before the start, from the end";
    Key(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), std::make_pair(8, 11));
    // Every match in view is marked.
    EXPECT_EQ(Editor()->extraSelections().size(), 3);

    Key(Qt::Key_Escape);
    EXPECT_FALSE(Bar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), Editor());
    EXPECT_EQ(Selected(), std::make_pair(8, 11)) << "the match stays selected";
    EXPECT_TRUE(Editor()->extraSelections().isEmpty());

    Search(QStringLiteral("four"));
    EXPECT_EQ(Status(), Q(u8"見つかりません"));
    EXPECT_FALSE(FindField()->lineEdit()->styleSheet().isEmpty()) << "seen, not heard";
}

TEST_F(WindowFindTest, EachOptionFindsItsMatches)
{
    struct Row
    {
        const char* fact;
        const char8_t* text;
        const char8_t* term;
        std::vector<const char*> boxes;
        std::vector<int> starts;
    };
    const std::vector<Row> rows = {
        {"case ignored", u8"Kana kana KANA", u8"kana", {}, {0, 5, 10}},
        {"case kept", u8"Kana kana KANA", u8"kana", {"MatchCaseBox"}, {5}},
        {"width ignored", u8"ＡＢ AB ｱｲ アイ", u8"AB", {"IgnoreWidthBox"}, {0, 3}},
        {"half-width kana as katakana", u8"ｱｲ アイ", u8"アイ", {"IgnoreWidthBox"}, {0, 3}},
        {"an expression", u8"第1章 第22章", u8"第\\d+章", {"RegularExpressionBox"}, {0, 4}},
    };
    for (const Row& row : rows) {
        SetText(Q(row.text));
        for (const char* name : {"MatchCaseBox", "IgnoreWidthBox", "RegularExpressionBox"})
            Box(name)->setChecked(std::find_if(row.boxes.begin(), row.boxes.end(), [&](auto b) {
                                      return std::string(b) == name;
                                  }) != row.boxes.end());
        Search(Q(row.term));
        std::vector<int> starts;
        for (std::size_t i = 0; i < row.starts.size(); ++i) {
            starts.push_back(Selected().first);
            Key(Qt::Key_Return);
        }
        EXPECT_EQ(starts, row.starts) << row.fact;
        EXPECT_EQ(Selected().first, row.starts.front()) << row.fact << ": wraps to the first";
    }
}

TEST_F(WindowFindTest, AnInvalidExpressionIsShownInTheBar)
{
    SetText(QStringLiteral("(a)"));
    Box("RegularExpressionBox")->setChecked(true);
    Search(QStringLiteral("(a"));
    EXPECT_TRUE(Status().startsWith(Q(u8"正規表現が正しくありません"))) << Status().toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(WindowFindTest, ALongMessageNeverWidensTheWindow)
{
    SetText(QStringLiteral("one two one"));
    Search(QStringLiteral("one"));
    // The narrowest window the bar allows: the message has next to no room left.
    Form->resize(Form->minimumSizeHint().width(), Form->height());
    QCoreApplication::processEvents();
    const int width = Form->width();
    Box("RegularExpressionBox")->setChecked(true);
    TypeInto(FindField()->lineEdit(), QStringLiteral("(").repeated(40));
    QCoreApplication::processEvents();
    EXPECT_TRUE(Status().startsWith(Q(u8"正規表現が正しくありません"))) << Status().toStdString();
    EXPECT_EQ(Form->width(), width) << "the window never grows by itself";
    EXPECT_EQ(Form->findChild<QLabel*>("FindStatus")->toolTip(), Status())
        << "what does not fit is in the tooltip";
    FindField()->lineEdit()->clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(Form->findChild<QLabel*>("FindStatus")->toolTip(), QString());
}

TEST_F(WindowFindTest, InSelectionSearchesTheLinesSelected)
{
    SetText(QStringLiteral("a\na\na\na"));
    QTextCursor lines = Editor()->textCursor();
    lines.setPosition(2);
    lines.setPosition(5, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(lines);
    Key(Qt::Key_F, Qt::ControlModifier);
    Box("InSelectionBox")->setChecked(true);
    TypeInto(FindField()->lineEdit(), QStringLiteral("a"));
    EXPECT_EQ(Status(), Q(u8"2 件中 1 件目"));
    EXPECT_EQ(Selected(), std::make_pair(2, 3));
    Key(Qt::Key_Return);
    Key(Qt::Key_Return);
    EXPECT_EQ(Selected(), std::make_pair(2, 3)) << "wraps within the selection";
}

TEST_F(WindowFindTest, ASelectionWithinALineBecomesTheTerm)
{
    SetText(QStringLiteral("alpha beta"));
    QTextCursor word = Editor()->textCursor();
    word.setPosition(6);
    word.setPosition(10, QTextCursor::KeepAnchor);
    Editor()->setTextCursor(word);
    Key(Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(FindField()->currentText(), QStringLiteral("beta"));
    EXPECT_TRUE(ReplaceField()->isVisible());
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ReplaceField());
}

TEST_F(WindowFindTest, ReplaceOneReplaceAllAndOneUndo)
{
    const QString line = QStringLiteral("cat dog cat\n");
    SetText(line.repeated(6));
    Key(Qt::Key_H, Qt::ControlModifier);
    TypeInto(FindField()->lineEdit(), QStringLiteral("cat"));
    Key(Qt::Key_Tab);
    TypeInto(ReplaceField(), QStringLiteral("kitten"));
    Key(Qt::Key_Return); // replaces the match shown and goes to the next
    EXPECT_TRUE(Editor()->toPlainText().startsWith(QStringLiteral("kitten dog cat")));
    EXPECT_EQ(Selected(), std::make_pair(11, 14));

    QTextCursor caret = Editor()->textCursor();
    caret.setPosition(15 + 12 + 4); // before "dog" on the third line
    Editor()->setTextCursor(caret);
    Key(Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Status(), Q(u8"11 件を置換しました"));
    const QString replaced = QStringLiteral("kitten dog kitten\n").repeated(6);
    EXPECT_EQ(Editor()->toPlainText(), replaced);
    EXPECT_EQ(Editor()->textCursor().position(), 18 * 2 + 7) << "the caret keeps its place";
    // The figures follow the edit as any other edit: the same as a fresh count of the text.
    const auto shown = Fields();
    Editor()->setPlainText(Editor()->toPlainText());
    EXPECT_EQ(Fields(), shown);
    Editor()->undo();
    EXPECT_EQ(Editor()->toPlainText(), replaced) << "a fresh text has nothing to undo";

    SetText(line.repeated(6));
    FindField()->lineEdit()->setFocus();
    Key(Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Status(), Q(u8"12 件を置換しました"));
    Action("UndoItem")->trigger();
    EXPECT_EQ(Editor()->toPlainText(), line.repeated(6)) << "one undo takes all back";
}

// Ctrl+Z in a field of the bar takes back what came last: the replacement, unless the writer has
// edited the field since; the field's own edit first then, and the document's once the field has
// nothing left.
TEST_F(WindowFindTest, UndoInTheReplaceFieldTakesBackTheLatestOfFieldAndText)
{
    const QString text = QStringLiteral("cat dog cat\n").repeated(3);
    const QString replaced = QStringLiteral("kitten dog kitten\n").repeated(3);
    SetText(text);
    Key(Qt::Key_H, Qt::ControlModifier);
    TypeInto(FindField()->lineEdit(), QStringLiteral("cat"));
    Key(Qt::Key_Tab);
    TypeInto(ReplaceField(), QStringLiteral("kitten"));
    Action("ReplaceAllItem")->trigger(); // すべて置換 of the edit menu
    ASSERT_EQ(Editor()->toPlainText(), replaced);
    ASSERT_EQ(QApplication::focusWidget(), ReplaceField());

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Editor()->toPlainText(), text) << "the replacement came last";
    EXPECT_EQ(ReplaceField()->text(), QStringLiteral("kitten"));
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Editor()->toPlainText(), replaced) << "and redo brings it back";

    ReplaceField()->setText(QStringLiteral("kitten")); // a field with nothing to undo
    TypeInto(ReplaceField(), QStringLiteral("s"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ReplaceField()->text(), QStringLiteral("kitten")) << "the field's edit came last";
    EXPECT_EQ(Editor()->toPlainText(), replaced);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Editor()->toPlainText(), text) << "a field with nothing to undo undoes the text";
}

// Replace-all changes lines all over the text; its undo and redo leave the caret and the view
// where the writer was, not at the first line.
TEST_F(WindowFindTest, UndoOfReplaceAllKeepsTheWritersPlace)
{
    QStringList lines;
    for (int i = 1; i <= 400; ++i)
        lines << QStringLiteral("cat %1 dog").arg(i);
    SetText(lines.join(QChar(u'\n')));
    QTextCursor caret = Editor()->textCursor();
    caret.setPosition(Editor()->document()->findBlockByNumber(249).position() + 4);
    Editor()->setTextCursor(caret);
    Editor()->centerCursor();
    Key(Qt::Key_H, Qt::ControlModifier);
    TypeInto(FindField()->lineEdit(), QStringLiteral("cat"));
    ReplaceField()->setText(QStringLiteral("lion"));
    Editor()->setTextCursor(caret); // typing the term selected a match
    Editor()->centerCursor();
    const int top = Editor()->verticalScrollBar()->value();
    ASSERT_GT(top, 100);
    Key(Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_TRUE(Editor()->toPlainText().startsWith(QStringLiteral("lion 1 dog")));
    for (QAction* step : {Action("UndoItem"), Action("RedoItem"), Action("UndoItem")}) {
        step->trigger();
        QCoreApplication::processEvents();
        EXPECT_EQ(Editor()->textCursor().blockNumber(), 249) << step->objectName().toStdString();
        EXPECT_EQ(Editor()->textCursor().positionInBlock(), step == Action("RedoItem") ? 5 : 4);
        EXPECT_EQ(Editor()->verticalScrollBar()->value(), top);
        EXPECT_EQ(Form->StatusText(1),
                  step == Action("RedoItem") ? Q(u8"250行 6桁") : Q(u8"250行 5桁"));
    }
    // An ordinary step still goes to its change.
    caret.setPosition(0);
    Editor()->setTextCursor(caret);
    Type(QStringLiteral("x"));
    Editor()->verticalScrollBar()->setValue(top);
    Action("UndoItem")->trigger();
    EXPECT_EQ(Editor()->textCursor().position(), 0);
    EXPECT_LT(Editor()->verticalScrollBar()->value(), top);
}

TEST_F(WindowFindTest, ExpressionGroupsGoIntoTheReplacement)
{
    SetText(Q(u8"第1章\n第22章"));
    Box("RegularExpressionBox")->setChecked(true);
    Key(Qt::Key_H, Qt::ControlModifier);
    TypeInto(FindField()->lineEdit(), Q(u8"第(\\d+)章"));
    ReplaceField()->setText(QStringLiteral("Chapter \\1"));
    Key(Qt::Key_Return, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("Chapter 1\nChapter 22"));
}

TEST_F(WindowFindTest, TheOptionsAndTheLastTwentyTermsSurviveARestart)
{
    Box("IgnoreWidthBox")->setChecked(true);
    SetText(QStringLiteral("x"));
    for (int i = 0; i < 22; ++i) {
        Search(QStringLiteral("term%1").arg(i));
        Key(Qt::Key_Return);
    }
    ASSERT_TRUE(Form->close());
    Form = std::make_unique<TForm1>();
    Form->StartUp({});
    Show();
    EXPECT_TRUE(Box("IgnoreWidthBox")->isChecked());
    ASSERT_EQ(FindField()->count(), 20);
    EXPECT_EQ(FindField()->itemText(0), QStringLiteral("term21"));
    EXPECT_EQ(FindField()->itemText(19), QStringLiteral("term2"));
}

TEST_F(WindowFindTest, GoToLineCentresTheLineTheGutterNumbers)
{
    QStringList lines;
    for (int i = 1; i <= 300; ++i)
        lines << QStringLiteral("line %1").arg(i);
    SetText(lines.join(QChar(u'\n')));
    AnswerModal<QInputDialog>([](QInputDialog* dialog) {
        dialog->setIntValue(150);
        dialog->accept();
    });
    Key(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(Editor()->textCursor().blockNumber(), 149);
    EXPECT_EQ(Form->StatusText(1), Q(u8"150行 1桁")) << "the status bar follows the caret";
    const int first = Editor()->GetFirstVisibleLine();
    const int shown = Editor()->viewport()->height() / Editor()->fontMetrics().lineSpacing();
    EXPECT_NEAR(149 - first, shown / 2, 2) << "in the middle of the text area";
}

TEST_F(WindowFindTest, GoToLineOffersTheLinesThePanelCounts)
{
    struct Row
    {
        const char* fact;
        QString text;
        int lines;
    };
    const QString three = QStringLiteral("one\ntwo\nthree");
    const std::vector<Row> rows = {
        {"a last line without its break", three, 3},
        {"a final break opens no line", three + QChar(u'\n'), 3},
        {"an empty line before the final break is a line", three + QStringLiteral("\n\n"), 4},
        {"an empty text still offers line 1", QString(), 1},
    };
    for (const Row& row : rows) {
        SetText(row.text);
        QTextCursor end = Editor()->textCursor();
        end.movePosition(QTextCursor::End);
        Editor()->setTextCursor(end);
        int offered = 0;
        int proposed = 0;
        AnswerModal<QInputDialog>([&](QInputDialog* dialog) {
            offered = dialog->intMaximum();
            proposed = dialog->intValue();
            dialog->reject();
        });
        Action("GoToLineItem")->trigger();
        EXPECT_EQ(offered, row.lines) << row.fact;
        EXPECT_EQ(proposed, row.lines) << row.fact << ": the caret's line, within the range";
        EXPECT_EQ(std::max(1, Field("LineNumber").toInt()), offered) << row.fact;
    }
}

TEST_F(WindowFindTest, GoToLineTakesTheDisplayLineWhenLinesAreCountedAsDisplayed)
{
    Action("WordWrapItem")->trigger();
    AnswerMessageBox(QMessageBox::Ok); // the notice that display lines take a moment to count
    Action("AppearanceLineItem")->trigger();
    SetText(QStringLiteral("short\n") + QStringLiteral("word ").repeated(400) +
            QStringLiteral("\nlast"));
    const int lines = Editor()->GetLineCount();
    ASSERT_GT(lines, 5) << "the long line wraps";
    for (const int line : {2, 4, lines}) {
        AnswerModal<QInputDialog>([line](QInputDialog* dialog) {
            dialog->setIntValue(line);
            dialog->accept();
        });
        Action("GoToLineItem")->trigger();
        EXPECT_EQ(Editor()->GetCaretLineColumn(), std::make_pair(1, line));
    }
}

TEST_F(WindowFindTest, UndoAndRedoInTheMenuFollowTheEditorInFront)
{
    QAction* undo = Action("UndoItem");
    QAction* redo = Action("RedoItem");
    EXPECT_FALSE(undo->isEnabled());
    Type(QStringLiteral("ab"));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Editor()->toPlainText(), QString());
    EXPECT_TRUE(redo->isEnabled());
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("ab"));
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("ab"));
    Form->OpenFile(Write("b.txt", "B"));
    EXPECT_FALSE(undo->isEnabled()) << "a fresh tab has nothing to undo";
    ClickTab(0);
    EXPECT_TRUE(undo->isEnabled());
}

TEST_F(WindowFindTest, TabsByKeyboardAndMouse)
{
    // The empty tab of the start, then three files.
    Form->OpenFile(Write("a.txt", "A"));
    Form->OpenFile(Write("b.txt", "B"));
    Form->OpenFile(Write("c.txt", "C"));
    ASSERT_EQ(Tabs()->count(), 4);
    ClickTab(1);
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Tabs()->currentIndex(), 2);
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    Key(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Tabs()->currentIndex(), 0) << "from the last to the first";
    Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Tabs()->currentIndex(), 3);
    Key(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Tabs()->currentIndex(), 2);
    EXPECT_TRUE(Editor()->toPlainText().startsWith(QStringLiteral("B")));

    Type(QStringLiteral("x")); // modified: the tab shows the mark, the caption stays
    EXPECT_FALSE(Tabs()->tabIcon(2).isNull());
    EXPECT_TRUE(Tabs()->tabIcon(1).isNull());
    EXPECT_EQ(Tabs()->tabText(2), QStringLiteral("b.txt"));
    AnswerMessageBox(QMessageBox::No); // the save question
    Key(Qt::Key_W, Qt::ControlModifier);
    ASSERT_EQ(Tabs()->count(), 3);
    EXPECT_EQ(Tabs()->tabText(2), QStringLiteral("c.txt"));
    QApplication::setActiveWindow(Form.get()); // the offscreen platform leaves it to the test

    QTest::mouseClick(Tabs(), Qt::MiddleButton, {}, Tabs()->tabRect(2).center());
    ASSERT_EQ(Tabs()->count(), 2);
    auto* close = qobject_cast<QAbstractButton*>(Tabs()->tabButton(1, QTabBar::RightSide));
    ASSERT_NE(close, nullptr);
    close->click();
    EXPECT_EQ(Tabs()->count(), 1);
    EXPECT_EQ(QApplication::focusWidget(), Editor()) << "the writer types on";

    AnswerFileDialog(QString::fromStdString(Write("e.txt", "E")));
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Tabs()->tabText(Tabs()->currentIndex()), QStringLiteral("e.txt"));
}

TEST_F(WindowFindTest, ZoomChangesTheShownSizeAndLeavesTheFontSettingAlone)
{
    const QFont chosen = Editor()->font();
    const qreal shown = Editor()->document()->defaultFont().pointSizeF();
    Key(Qt::Key_Plus, Qt::ControlModifier);
    Key(Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(Editor()->document()->defaultFont().pointSizeF(), shown);
    EXPECT_EQ(Editor()->LineInfo()->font(), Editor()->document()->defaultFont());
    EXPECT_EQ(Editor()->font(), chosen);
    QWheelEvent down(QPointF(10, 10), Editor()->mapToGlobal(QPointF(10, 10)), {}, {0, -120},
                     Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Editor()->viewport(), &down);
    EXPECT_EQ(Editor()->Zoom(), 1);
    Form->OpenFile(Write("a.txt", "A"));
    EXPECT_EQ(Editor()->Zoom(), 1) << "a new tab shows the same size";
    ASSERT_TRUE(Form->close());

    Form = std::make_unique<TForm1>();
    Form->StartUp({});
    Show();
    EXPECT_EQ(Editor()->Zoom(), 1) << "remembered";
    EXPECT_EQ(Editor()->font().pointSizeF(), chosen.pointSizeF());
    Key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(Editor()->document()->defaultFont().pointSizeF(), shown);
}

} // namespace

namespace {

TEST_F(WindowFindTest, TheStatusBarShowsTheCaretNotTheSelectionsStartAndShowsItWhole)
{
    SetText(QStringLiteral("abc\nabcdef"));
    Editor()->setFocus();
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Form->StatusText(1), Q(u8"2行 2桁"));
    auto* caret = Form->findChild<QLabel*>("StatusPanel1");
    EXPECT_LE(caret->fontMetrics().horizontalAdvance(Q(u8"159320行 101桁")),
              caret->contentsRect().width());
}

TEST_F(WindowFindTest, SaveAsStartsInTheDocumentsFolderWithItsName)
{
    const std::string path = Write("story.txt", "A");
    Form->OpenFile(path);
    QString folder;
    QString name;
    AnswerModal<QFileDialog>([&](QFileDialog* dialog) {
        folder = dialog->directory().absolutePath();
        name = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        dialog->reject();
    });
    Action("SaveAs1")->trigger();
    EXPECT_EQ(folder, QFileInfo(QString::fromStdString(path)).absolutePath());
    EXPECT_EQ(name, QStringLiteral("story.txt"));
}

TEST_F(WindowFindTest, ReturnAndEscapeCloseTheAboutBox)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        Action("About1")->trigger();
        QPointer<QWidget> box;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("TCopyrightForm") && widget->isVisible())
                box = widget;
        ASSERT_TRUE(box);
        QTest::keyClick(box, key);
        EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull() || !box->isVisible(); }));
    }
}

} // namespace

// The find bar and the manuscript check both mark the text: each keeps its own marks through the
// other's typing, scrolling and closing.
TEST_F(WindowFindTest, FindMarksAndCheckUnderlinesLiveSideBySide)
{
    QString text;
    for (int line = 0; line < 200; ++line)
        text += Q(u8"　本当？うそだ。\n");
    SetText(text);
    Action("ManuscriptCheckItem")->trigger();
    const auto count = [this](bool underlines) {
        int n = 0;
        for (const QTextEdit::ExtraSelection& mark : Editor()->extraSelections())
            n += (mark.format.underlineStyle() == QTextCharFormat::WaveUnderline) == underlines;
        return n;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return count(true) > 0; }));
    const int underlines = count(true);
    ASSERT_EQ(count(false), 0);

    Search(Q(u8"うそ"));
    EXPECT_GT(count(false), 0) << "find marks beside the underlines";
    EXPECT_EQ(count(true), underlines) << "typing in the find bar keeps the underlines";

    Editor()->verticalScrollBar()->setValue(Editor()->verticalScrollBar()->maximum() / 2);
    QCoreApplication::processEvents();
    EXPECT_GT(count(false), 0) << "a scroll marks the matches now in view";
    EXPECT_GT(count(true), 0) << "and underlines the findings now in view";

    Key(Qt::Key_Escape);
    EXPECT_EQ(count(false), 0) << "closing the bar takes its marks away";
    EXPECT_GT(count(true), 0) << "and leaves the check's";
    Editor()->verticalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(count(false), 0) << "a closed bar marks nothing on a scroll";
    EXPECT_GT(count(true), 0) << "the first lines are underlined again";
}
