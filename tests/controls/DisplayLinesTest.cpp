// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The caret's display line and the display-line count of a wrapping editor, kept laid out from the
// start of the text to the caret, against every line laid out afresh: after edits anywhere, new
// widths, fonts and wrapping switched off and on.

#include "controls/TRichEditEx.h"

#include <QPlainTextDocumentLayout>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include "QtTestApplication.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace {

// The caret's (column, line) and the line count with every line laid out now.
std::pair<std::pair<int, int>, int> AllLaidOut(TRichEditEx& editor)
{
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(editor.document()->documentLayout());
    for (QTextBlock block = editor.document()->firstBlock(); block.isValid(); block = block.next())
        layout->ensureBlockLayout(block);
    return {editor.GetCaretLineColumn(), editor.GetLineCount()};
}

TEST(DisplayLines, FollowEveryEditAndWidthAsAFreshLayoutWould)
{
    std::mt19937 random(20261208);
    auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    TRichEditEx editor;
    editor.SetInitializing(false);
    editor.ChangeWordWrap(true);
    editor.resize(300, 200);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QString(below(120), QChar(u'あ' + below(40))) + u'\n';
    editor.setPlainText(text);
    for (int step = 0; step < 150; ++step) {
        const int end = editor.document()->characterCount() - 1;
        QTextCursor cursor(editor.document());
        switch (below(6)) {
        case 0: // typing, sometimes long enough to wrap again
        case 1:
            cursor.setPosition(below(end + 1));
            cursor.insertText(QString(below(90), u'字') + (below(3) == 0 ? "\n" : ""));
            break;
        case 2: { // deleting across lines
            const int from = below(end + 1);
            cursor.setPosition(from);
            cursor.setPosition(std::min(end, from + below(300)), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            break;
        }
        case 3:
            editor.resize(200 + below(300), 200);
            break;
        case 4: {
            QFont font = editor.font();
            font.setPointSize(8 + below(8));
            editor.setFont(font);
            break;
        }
        case 5:
            editor.ChangeWordWrap(below(4) != 0);
            break;
        }
        QTextCursor caret(editor.document());
        caret.setPosition(below(editor.document()->characterCount()));
        editor.setTextCursor(caret);
        const std::pair<int, int> kept = editor.GetCaretLineColumn();
        const int keptCount = below(2) == 0 ? editor.GetLineCount() : -1;
        const auto [fresh, freshCount] = AllLaidOut(editor);
        ASSERT_EQ(kept, fresh) << "step " << step;
        if (keptCount >= 0) {
            ASSERT_EQ(keptCount, freshCount) << "step " << step;
        }
    }
}

} // namespace
