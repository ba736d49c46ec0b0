// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A text copied a slice at a time while the writer goes on editing ends as the text stands: its
// characters are the editor document's own, and so are the file bytes of unchanged lines.

#include "controls/TextSnapshot.h"
#include "controls/EditorDocument.h"
#include "controls/QtShiftJis.h"

#include <QTextBlock>
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
        std::vector<std::pair<int, std::string>> kept;
        for (QTextBlock block = text.firstBlock(); block.isValid(); block = block.next())
            if (const auto* bytes =
                    dynamic_cast<const QtShiftJis::OriginalBytes*>(block.userData()))
                kept.emplace_back(block.blockNumber(), bytes->Bytes);
        EXPECT_FALSE(kept.empty());
        const QString lines = text.toRawText().replace(QChar::ParagraphSeparator, u'\n');
        EXPECT_TRUE(snapshot.Text() == QtShiftJis::View(lines)) << round;
        EXPECT_EQ(snapshot.Kept(), kept) << round;
    }
}
