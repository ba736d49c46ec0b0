// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text read without regard to width: every double-byte character that the full-width conversion
// ("半角 → 全角") makes out of a half-width character or kana with its sound mark is read as that
// half-width form, so that Ａ and A, １ and 1, ア and ｱ, ガ and ｶﾞ read the same.

#include <QString>
#include <QStringView>

#include <vector>

// A text with its double-byte forms read as half-width, and the way back to the text's own
// positions. A voiced kana reads as two characters (ガ as ｶﾞ), so positions differ after one.
class FoldedText
{
public:
    FoldedText() = default;
    explicit FoldedText(QStringView text);

    const QString& Text() const noexcept { return FText; }
    // The position in the folded text of a position in the text.
    qsizetype ToFolded(qsizetype original) const;
    // The position in the text of a folded position that starts a character of the text.
    qsizetype ToOriginal(qsizetype folded) const;
    // False at the second half of a character that reads as two.
    bool IsCharacterStart(qsizetype folded) const;

private:
    QString FText;
    std::vector<qsizetype> FSecondHalves; // folded positions of second halves, ascending
};

// The text folded, without the way back: for a phrase that is searched for.
QString FoldWidth(QStringView text);
// A regular expression folded: a character that reads as a symbol of the expression's syntax
// (＊ as *, （ as () is written escaped, so it still stands for itself.
QString FoldWidthInPattern(QStringView pattern);
