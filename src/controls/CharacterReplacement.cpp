// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "CharacterReplacement.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <optional>

namespace {

// The units of the character that ends just before `end`: two for a surrogate pair.
qsizetype CharacterBefore(const QString& text, qsizetype end)
{
    return end >= 2 && text[end - 1].isLowSurrogate() && text[end - 2].isHighSurrogate() ? 2 : 1;
}

} // namespace

int ReplaceCharactersWithoutForm(QTextDocument& document,
                                 const std::function<bool(QStringView)>& hasForm)
{
    std::optional<QTextCursor> edit; // opened at the first replacement: one undo step for all
    int replaced = 0;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (hasForm(text))
            continue;
        // From the end, so that a replacement moves none of the positions still to come.
        for (qsizetype end = text.size(); end > 0;) {
            const qsizetype start = end - CharacterBefore(text, end);
            if (!hasForm(QStringView(text).sliced(start, end - start))) {
                if (!edit) {
                    edit.emplace(&document);
                    edit->beginEditBlock();
                }
                edit->setPosition(block.position() + static_cast<int>(start));
                edit->setPosition(block.position() + static_cast<int>(end),
                                  QTextCursor::KeepAnchor);
                edit->insertText(QStringLiteral("?"));
                ++replaced;
            }
            end = start;
        }
    }
    if (edit)
        edit->endEditBlock();
    return replaced;
}
