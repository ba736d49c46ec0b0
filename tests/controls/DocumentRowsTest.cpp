// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rows of a document kept through random edits, Enter, pastes of several lines, undo and redo
// equal the rows measured afresh, and the row of a place and the place of a row agree.

#include "controls/DocumentRows.h"
#include "QtTestApplication.h"
#include "controls/AdvanceTable.h"
#include "controls/NullDocumentLayout.h"
#include "paper/TPaper.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(DocumentRows, KeptRowsEqualRowsMeasuredAfresh)
{
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(20);
    AdvanceTable advances(font);
    const RowBreaker breaker = RowBreaker::ForPaper(TPaper());
    const QString pieces[] = {QStringLiteral("あいうえお"), QStringLiteral("漢字、"),
                              QStringLiteral("\n"),         QStringLiteral("。」"),
                              QStringLiteral("𠮷"),         QStringLiteral("word word "),
                              QStringLiteral("行\n二行\n"), QStringLiteral("")};
    std::mt19937 random(5);
    for (int round = 0; round < 30; ++round) {
        QTextDocument document;
        document.setDocumentLayout(new NullDocumentLayout(&document));
        if (round % 3 != 0) // else from an empty document, whose first change is told wider
            document.setPlainText(
                QStringLiteral("吾輩は猫である。名前はまだ無い。\n\nどこで生れたか"
                               "とんと見当がつかぬ。"));
        const double width = 40 + random() % 200;
        DocumentRows kept(document, advances, breaker, width);
        QString told;
        QObject::connect(&document, &QTextDocument::contentsChange, [&](int f, int r, int a) {
            told = QStringLiteral("%1 %2 %3").arg(f).arg(r).arg(a);
        });
        for (int step = 0; step < 40; ++step) {
            const int size = document.characterCount() - 1;
            const int kind = random() % 10;
            told.clear();
            if (kind < 7) {
                QTextCursor edit(&document);
                const int at = random() % (size + 1);
                edit.setPosition(at);
                edit.setPosition(std::min(size, at + static_cast<int>(random() % 6)),
                                 QTextCursor::KeepAnchor);
                edit.insertText(pieces[random() % std::size(pieces)]);
            } else if (kind < 9) {
                document.undo();
            } else {
                document.redo();
            }
            const DocumentRows afresh(document, advances, breaker, width);
            ASSERT_EQ(kept.RowCount(), afresh.RowCount()) << round << "/" << step;
            for (int block = 0; block < document.blockCount(); ++block)
                ASSERT_EQ(kept.RowsOf(block), afresh.RowsOf(block))
                    << round << "/" << step << " kind " << kind << " told " << told.toStdString()
                    << " block " << block << " "
                    << document.findBlockByNumber(block).text().toStdString() << " width " << width;
            for (std::int64_t row = 0; row < kept.RowCount(); ++row) {
                const DocumentRows::Row place = kept.RowAt(row);
                const int position =
                    document.findBlockByNumber(place.block).position() + place.start;
                ASSERT_EQ(kept.RowOf(position), row) << round << "/" << step;
            }
        }
    }
}

} // namespace
