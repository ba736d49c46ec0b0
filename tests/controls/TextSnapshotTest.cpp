// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A text copied a slice at a time while the writer goes on editing ends as the text stands: its
// counting form is the editor document's own, the file bytes of unchanged lines included.

#include "controls/TextSnapshot.h"
#include "controls/EditorDocument.h"

#include <QTextCursor>

#include "QtTestApplication.h"
#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Lines of Japanese text with a duplicate pair (ED40, kept as file bytes) here and there.
std::string Manuscript(int lines)
{
    std::string bytes;
    for (int i = 0; i < lines; ++i)
        bytes += (i % 7 == 0 ? std::string("\xED\x40") : std::string()) +
                 Sjis(u8"吾輩は猫である。") + std::to_string(i) + "\r\n";
    return bytes;
}

} // namespace

TEST(TextSnapshot, EditsWhileCopyingEndInTheTextAsItStands)
{
    std::mt19937 random(22);
    const QString pieces[] = {QStringLiteral(u"あ"), QStringLiteral("\n"), QStringLiteral(u"é"),
                              QStringLiteral(u"〓"), QString()};
    for (int round = 0; round < 10; ++round) {
        EditorDocument text;
        text.LoadBytes(Manuscript(1500), {}, {});
        TextSnapshot snapshot;
        // As the window follows the text while it copies it.
        QObject::connect(&text, &QTextDocument::contentsChange,
                         [&](int position) { snapshot.Changed(text, position); });
        while (true) {
            // An edit anywhere, a deletion or an insertion, before the next slice.
            QTextCursor cursor(&text);
            cursor.setPosition(
                static_cast<int>(random() % static_cast<unsigned>(text.characterCount())));
            if (random() % 3 == 0)
                cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor,
                                    static_cast<int>(random() % 40));
            cursor.insertText(pieces[random() % std::size(pieces)]);
            if (snapshot.CopyMore(text, std::chrono::microseconds(0)))
                break;
        }
        bool complete = false;
        bool expectedComplete = false;
        EXPECT_EQ(snapshot.CountingForm(&complete), text.Text(&expectedComplete)) << round;
        EXPECT_EQ(complete, expectedComplete) << round;
    }
}
