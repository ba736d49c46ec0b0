// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The editor view of our own, driven as a writer drives it: keys, an input method's preedit and
// commits, the caret by character and by row, and the caret's bar and the place under a point
// agreeing at every position.

#include "controls/TextView.h"
#include "QtTestApplication.h"

#include <QInputMethodEvent>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

class TextViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFont font(QStringLiteral("IPAMincho"));
        font.setPixelSize(20);
        View.setFont(font);
        View.resize(240, 200);
        View.SetDocument(&Document);
        View.show();
        View.setFocus();
    }
    void Commit(const QString& text, int replaceFrom = 0, int replaceLength = 0)
    {
        QInputMethodEvent event;
        event.setCommitString(text, replaceFrom, replaceLength);
        QApplication::sendEvent(&View, &event);
    }
    void Preedit(const QString& text)
    {
        QInputMethodEvent event(text,
                                {{QInputMethodEvent::Cursor, static_cast<int>(text.size()), 1}});
        QApplication::sendEvent(&View, &event);
    }
    QTextDocument Document;
    TextView View;
};

TEST_F(TextViewTest, TypingDeletingAndUndoAsAWriterDoes)
{
    QTest::keyClicks(&View, QStringLiteral("abc"));
    QTest::keyClick(&View, Qt::Key_Return);
    Commit(QStringLiteral("日本語"));
    EXPECT_EQ(Document.toPlainText(), QStringLiteral("abc\n日本語"));
    QTest::keyClick(&View, Qt::Key_Left);
    QTest::keyClick(&View, Qt::Key_Backspace);
    EXPECT_EQ(Document.toPlainText(), QStringLiteral("abc\n日語"));
    Document.undo();
    Document.undo(); // the commit is one step
    EXPECT_EQ(Document.toPlainText(), QStringLiteral("abc\n"));
}

TEST_F(TextViewTest, APreeditIsShownButNeverInTheText)
{
    Commit(QStringLiteral("𠮷は"));
    Preedit(QStringLiteral("にほん"));
    EXPECT_EQ(Document.toPlainText(), QStringLiteral("𠮷は"));
    EXPECT_FALSE(Document.isUndoAvailable() && Document.availableUndoSteps() > 1);
    const QRect bar = View.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_FALSE(bar.isEmpty());
    EXPECT_TRUE(View.viewport()->rect().contains(bar.center()));
    EXPECT_EQ(View.inputMethodQuery(Qt::ImCursorPosition).toInt(), 3); // UTF-16 units
    EXPECT_EQ(View.inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("𠮷は"));
    Preedit({});
    Commit(QStringLiteral("日本"));
    EXPECT_EQ(Document.toPlainText(), QStringLiteral("𠮷は日本"));
    // A reconversion replaces the text before the caret in one step.
    Commit(QStringLiteral("二本"), -2, 2);
    EXPECT_EQ(Document.toPlainText(), QStringLiteral("𠮷は二本"));
    Document.undo();
    EXPECT_EQ(Document.toPlainText(), QStringLiteral("𠮷は日本"));
}

// Composing at the end of a full row: what the writer composes is never cut off at the edge, and
// the candidate window's place follows the preedit's caret.
TEST_F(TextViewTest, ALongPreeditWrapsInsteadOfLeavingTheView)
{
    Commit(QStringLiteral("あいうえおかきくけこ"));
    Preedit(QStringLiteral("にほんごのぶんしょうをかいています"));
    const QRect bar = View.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_TRUE(View.viewport()->rect().contains(bar.topLeft())) << bar.x() << "," << bar.y();
    EXPECT_GT(bar.y(), 0); // on a line of its own below the row's first
    EXPECT_EQ(Document.toPlainText(), QStringLiteral("あいうえおかきくけこ"));
}

TEST_F(TextViewTest, TheCaretMovesByCharacterAndByRow)
{
    Commit(QStringLiteral("a𠮷か\u3099b"));
    View.SetCaret(0);
    std::vector<int> visited{View.CaretPosition()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(&View, Qt::Key_Right);
        visited.push_back(View.CaretPosition());
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 3, 5, 6, 6}));
    QTest::keyClick(&View, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(View.AnchorPosition(), 6);
    EXPECT_EQ(View.CaretPosition(), 5);

    Document.setPlainText(QStringLiteral("あいうえおかきくけこさしすせそたちつてと"));
    View.SetCaret(2);
    const std::int64_t rows = View.RowCount();
    ASSERT_GT(rows, 1);
    QTest::keyClick(&View, Qt::Key_Down);
    EXPECT_GT(View.CaretPosition(), 2);
    QTest::keyClick(&View, Qt::Key_Up);
    EXPECT_EQ(View.CaretPosition(), 2); // back over the same x
}

TEST_F(TextViewTest, TheCaretBarAndThePlaceUnderAPointAgree)
{
    Document.setPlainText(
        QStringLiteral("吾輩は猫\tである。名前はまだ無い。\n\nどこで\t\t生れたかとんと見当が"
                       "つかぬ。何でも薄暗いじめじめした所で𠮷ニャーニャー泣いていた。"));
    ASSERT_GT(View.RowCount(), 4);
    for (int position = 0; position < Document.characterCount() - 1; ++position) {
        if (Document.characterAt(position).isLowSurrogate())
            continue;
        View.SetCaret(position);
        const QRect bar = View.CaretRectangle();
        EXPECT_EQ(View.PositionAt(bar.center()), position) << position;
    }
}

} // namespace
