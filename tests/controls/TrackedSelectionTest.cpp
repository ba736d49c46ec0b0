// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The caret and anchor kept as plain positions move through random edits, undo and redo exactly
// as the document's own text cursor does.

#include "controls/TrackedSelection.h"
#include "QtTestApplication.h"
#include "controls/NullDocumentLayout.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(TrackedSelection, MovesAsATextCursorThroughEditsUndoAndRedo)
{
    std::mt19937 random(31);
    const QString pieces[] = {QStringLiteral("あ"), QStringLiteral("漢字"), QStringLiteral("\n"),
                              QStringLiteral("𠮷"), QStringLiteral("ab c"), QStringLiteral("")};
    for (int round = 0; round < 40; ++round) {
        QTextDocument document;
        document.setDocumentLayout(new NullDocumentLayout(&document));
        document.setPlainText(QStringLiteral("一行目\n二行目の文\n\n三"));
        TrackedSelection tracked(document);
        QTextCursor oracle(&document);
        const auto place = [&](int position, int anchor) {
            tracked.MoveTo(anchor);
            tracked.MoveTo(position, true);
            oracle.setPosition(tracked.Anchor());
            oracle.setPosition(tracked.Position(), QTextCursor::KeepAnchor);
        };
        place(random() % document.characterCount(), random() % document.characterCount());
        for (int step = 0; step < 60; ++step) {
            const int size = document.characterCount() - 1;
            const int kind = random() % 10;
            if (kind < 6) {
                QTextCursor edit(&document);
                const int at = random() % (size + 1);
                edit.setPosition(at);
                edit.setPosition(std::min(size, at + static_cast<int>(random() % 4)),
                                 QTextCursor::KeepAnchor);
                edit.insertText(pieces[random() % std::size(pieces)]);
            } else if (kind < 8) {
                document.undo();
            } else if (kind < 9) {
                document.redo();
            } else {
                place(random() % (size + 1), random() % (size + 1));
            }
            ASSERT_EQ(tracked.Position(), oracle.position()) << round << "/" << step;
            ASSERT_EQ(tracked.Anchor(), oracle.anchor()) << round << "/" << step;
        }
    }
}

} // namespace
