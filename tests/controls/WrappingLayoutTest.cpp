// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The wrapping editor's own layout against the plain-text editor's, given the same text, font and
// width: after random typing, deleting, new lines and lines that just overflow at a closing mark,
// every paragraph breaks at the same characters, stands at the same height, and the caret's
// display line and the count are those the plain-text layout gives. A paragraph long enough to
// keep its shaped glyphs places every character where a fresh layout does, edit after edit.

#include "controls/WrappingLayout.h"
#include "controls/TRichEditEx.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include "QtTestApplication.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Each paragraph's line starts and height, every paragraph laid out.
std::vector<std::vector<int>> Breaks(QTextDocument& text)
{
    std::vector<std::vector<int>> breaks;
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(text.documentLayout());
    for (QTextBlock block = text.firstBlock(); block.isValid(); block = block.next()) {
        std::vector<int> starts{static_cast<int>(layout->blockBoundingRect(block).height())};
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            starts.push_back(block.layout()->lineAt(i).textStart());
        breaks.push_back(starts);
    }
    return breaks;
}

// The editor and a plain-text editor beside it, with the same font and the same room for the
// text (the editor's gutter takes some of its width), wrapping alike.
class TwoEditors
{
public:
    explicit TwoEditors(bool wrap)
    {
        editor.SetInitializing(false);
        editor.ChangeWordWrap(wrap);
        editor.resize(320, 240);
        editor.show();
        plain.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        plain.setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        plain.setFont(editor.font());
        plain.show();
    }

    // Both shown, with the same room; call before anything else.
    bool Shown()
    {
        if (!QTest::qWaitForWindowExposed(&editor) || !QTest::qWaitForWindowExposed(&plain))
            return false;
        plain.document()->setDefaultFont(editor.document()->defaultFont());
        plain.resize(plain.width() + editor.viewport()->width() - plain.viewport()->width(), 240);
        return plain.viewport()->width() == editor.viewport()->width();
    }

    void SetText(const QString& text)
    {
        editor.setPlainText(text);
        plain.setPlainText(text);
    }

    // Both texts' characters from..to replaced by `typed`.
    void Replace(int from, int to, const QString& typed)
    {
        for (QTextDocument* document : {editor.document(), plain.document()}) {
            QTextCursor cursor(document);
            cursor.setPosition(from);
            cursor.setPosition(to, QTextCursor::KeepAnchor);
            cursor.insertText(typed);
        }
    }

    TRichEditEx editor;
    QPlainTextEdit plain;
};

TEST(WrappingLayout, BreaksEveryParagraphAsThePlainTextLayoutDoesAfterEdits)
{
    std::mt19937 random(25);
    auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    TwoEditors two(/*wrap=*/true);
    ASSERT_TRUE(two.Shown());
    TRichEditEx& editor = two.editor;
    QPlainTextEdit& plain = two.plain;
    const QString pieces[] = {u"あ"_qs, u"漢字"_qs,  u"。"_qs, u"」"_qs, u"、"_qs,
                              u"ｶﾞ"_qs, u"word "_qs, u"\n"_qs, u"「"_qs};
    QString text;
    for (int i = 0; i < 400; ++i)
        text += pieces[below(std::size(pieces))];
    two.SetText(text);
    for (int step = 0; step < 120; ++step) {
        const int end = editor.document()->characterCount() - 1;
        const int from = below(end + 1);
        const int to = std::min(end, from + (below(3) == 0 ? below(40) : 0));
        QString typed;
        for (int i = below(12); i > 0; --i)
            typed += pieces[below(std::size(pieces))];
        two.Replace(from, to, typed);
        QTextCursor caret(editor.document());
        caret.setPosition(below(editor.document()->characterCount()));
        editor.setTextCursor(caret);
        const std::pair<int, int> shown = editor.GetCaretLineColumn();
        ASSERT_EQ(Breaks(*editor.document()), Breaks(*plain.document())) << "step " << step;
        const QTextBlock block = plain.document()->findBlock(caret.position());
        const QTextLine line =
            block.layout()->lineForTextPosition(caret.position() - block.position());
        EXPECT_EQ(shown, std::make_pair(caret.position() - block.position() - line.textStart() + 1,
                                        block.firstLineNumber() + line.lineNumber() + 1))
            << "step " << step;
        EXPECT_EQ(editor.GetLineCount(), plain.document()->lineCount()) << "step " << step;
    }
}

// Where each of `positions` stands in its paragraph's layout: line and x.
std::vector<std::pair<int, qreal>> Places(QTextDocument& text, const std::vector<int>& positions)
{
    std::vector<std::pair<int, qreal>> places;
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(text.documentLayout());
    for (const int position : positions) {
        const QTextBlock block = text.findBlock(position);
        layout->blockBoundingRect(block); // laid out
        const int inBlock = position - block.position();
        const QTextLine line = block.layout()->lineForTextPosition(inBlock);
        places.emplace_back(line.lineNumber(), line.cursorToX(inBlock));
    }
    return places;
}

TEST(WrappingLayout, ALongParagraphPlacesItsCharactersAsAFreshLayoutDoesAfterEdits)
{
    for (const bool wrap : {false, true}) {
        std::mt19937 random(wrap ? 7 : 8);
        auto below = [&random](int n) {
            return std::uniform_int_distribution<int>(0, n - 1)(random);
        };
        TwoEditors two(wrap);
        ASSERT_TRUE(two.Shown());
        const QString pieces[] = {u"あ"_qs, u"漢字"_qs, u"。"_qs, u"ｶﾞ"_qs, u"word "_qs, u"\t"_qs};
        QString text = u"前の行\n"_qs;
        while (text.size() < 3 * WrappingLayout::LongParagraph)
            text += pieces[below(std::size(pieces))];
        text += u"\n後の行"_qs;
        two.SetText(text);
        for (int step = 0; step < 30; ++step) {
            const int end = two.editor.document()->characterCount() - 1;
            const int from = below(end + 1);
            const int to = std::min(end, from + (below(3) == 0 ? below(40) : 0));
            const QString typed = pieces[below(std::size(pieces))];
            two.Replace(from, to, typed);
            two.editor.viewport()->repaint(); // paints from the kept glyphs
            std::vector<int> positions;
            for (int i = 0; i < 20; ++i)
                positions.push_back(below(two.editor.document()->characterCount()));
            ASSERT_EQ(Places(*two.editor.document(), positions),
                      Places(*two.plain.document(), positions))
                << (wrap ? "wrapped, " : "") << "step " << step;
        }
    }
}

} // namespace
