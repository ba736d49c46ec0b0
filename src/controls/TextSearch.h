// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finding a phrase or a regular expression in the editor's text, apart from any widget: the find
// bar asks it for the next or previous match, for the number of matches and for the text that
// replaces one.
//
// Matches never overlap and are taken from left to right, as the phrase count takes them; a match
// that would be empty is never taken.

#include "controls/WidthFold.h"

#include <QRegularExpression>
#include <QString>

#include <optional>
#include <vector>

struct SearchOptions
{
    bool matchCase = false;         // 大文字と小文字を区別
    bool regularExpression = false; // 正規表現
    bool ignoreWidth = false;       // 全角と半角を区別しない
    bool inSelection = false;       // 選択範囲内
};

struct TextMatch
{
    qsizetype start = -1;
    qsizetype length = 0;

    bool Found() const noexcept { return start >= 0; }
    qsizetype End() const noexcept { return start + length; }
    bool operator==(const TextMatch&) const = default;
};

// The text searched: the editor's text (line breaks as "\n") and, when it is wanted, its
// width-folded form, made once for many searches.
class SearchedText
{
public:
    explicit SearchedText(QString text) : FText(std::move(text)) {}

    const QString& Text() const noexcept { return FText; }
    const FoldedText& Folded() const;

private:
    QString FText;
    mutable std::optional<FoldedText> FFolded;
};

class TextSearch
{
public:
    TextSearch(const QString& pattern, const SearchOptions& options);

    bool IsEmpty() const noexcept { return FPattern.isEmpty(); }
    // False for a regular expression that does not compile; ErrorText() then says why.
    bool IsValid() const;
    QString ErrorText() const;

    // The first match that starts at or after `from` and lies within [begin, end).
    TextMatch FindNext(const SearchedText& text, qsizetype from, qsizetype begin,
                       qsizetype end) const;
    // The last match that starts before `before` and lies within [begin, end).
    TextMatch FindPrevious(const SearchedText& text, qsizetype before, qsizetype begin,
                           qsizetype end) const;
    // Every match within [begin, end), left to right.
    std::vector<TextMatch> FindAll(const SearchedText& text, qsizetype begin, qsizetype end) const;

    // The text that replaces `match`: the replacement as written, or, for a regular expression,
    // with \1…\9 and $1…$9 (and ${n}) taking the groups, \n a line break, \t a tab, \\ and $$
    // themselves.
    QString Replacement(const SearchedText& text, const TextMatch& match,
                        const QString& replacement) const;

private:
    TextMatch FindIn(QStringView haystack, qsizetype from) const;
    TextMatch FindNextFolded(const SearchedText& text, qsizetype from, qsizetype begin,
                             qsizetype end) const;

    QString FPattern; // folded when width is ignored
    SearchOptions FOptions;
    QRegularExpression FExpression;
};
