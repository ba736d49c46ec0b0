// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A long text with wrapping on in the real window: the caret's display line in the status bar,
// which waits for the lines before the caret to be laid out between the window's events, is the
// figure of laying the whole text out at once, after Ctrl+End, an edit above and wrapping anew.

#include "WindowHarness.h"

#include <QScrollBar>

namespace {

class WindowWrapTest : public WindowTest
{
protected:
    QString CaretFigure() const
    {
        const auto [column, line] = Editor()->GetCaretLineColumn();
        return QStringLiteral(u"%1行 %2桁").arg(line).arg(column);
    }
};

TEST_F(WindowWrapTest, TheCaretsDisplayLineInTheStatusBarIsExactOnceLaidOut)
{
    QString text;
    for (int i = 0; i < 20000; ++i) // every seventh line wraps
        text += QString(i % 7 == 0 ? 150 : 12, QChar(u'あ' + i % 50)) + u'\n';
    Editor()->setPlainText(text);
    if (!Action("WordWrapItem")->isChecked())
        Action("WordWrapItem")->trigger();
    Editor()->setFocus();
    const auto step = [this](const char* what, const std::function<void()>& act) {
        act();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !Form->StatusText(1).isEmpty(); }, 60000))
            << what;
        EXPECT_EQ(Form->StatusText(1), CaretFigure()) << what;
    };
    step("Ctrl+End", [this] { QTest::keyClick(Editor(), Qt::Key_End, Qt::ControlModifier); });
    EXPECT_EQ(Editor()->GetCaretLineColumn().second, Editor()->GetLineCount());
    EXPECT_TRUE(Editor()->textCursor().atEnd());
    step("an edit above", [this] {
        QTextCursor top(Editor()->document());
        top.insertText(QString(300, u'字') + u'\n');
        QTest::keyClick(Editor(), Qt::Key_Left);
    });
    step("wrapping anew", [this] {
        Action("WordWrapItem")->trigger();
        Action("WordWrapItem")->trigger();
        QTest::keyClick(Editor(), Qt::Key_End, Qt::ControlModifier);
    });
    step("Ctrl+Home", [this] { QTest::keyClick(Editor(), Qt::Key_Home, Qt::ControlModifier); });
    EXPECT_EQ(Form->StatusText(1), u"1行 1桁"_qs);
}

} // namespace
