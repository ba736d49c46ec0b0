// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextSearch.h"

#include <algorithm>

namespace {

// A regular expression searched backwards is tried on pieces of the text before the place,
// each twice as long as the one before, so that a previous match nearby costs little.
constexpr qsizetype BackwardStep = 4096;

QRegularExpression::PatternOptions ExpressionOptions(const SearchOptions& options)
{
    // ^ and $ stand for the start and end of each line; \w and the like know Japanese letters.
    QRegularExpression::PatternOptions result =
        QRegularExpression::MultilineOption | QRegularExpression::UseUnicodePropertiesOption;
    if (!options.matchCase)
        result |= QRegularExpression::CaseInsensitiveOption;
    return result;
}

} // namespace

const FoldedText& SearchedText::Folded() const
{
    if (!FFolded)
        FFolded.emplace(FText);
    return *FFolded;
}

TextSearch::TextSearch(const QString& pattern, const SearchOptions& options) : FOptions(options)
{
    if (!options.ignoreWidth)
        FPattern = pattern;
    else
        FPattern = options.regularExpression ? FoldWidthInPattern(pattern) : FoldWidth(pattern);
    // A term without letters that have case (kana, kanji, digits) is searched for as it is, which
    // is several times faster than a search that folds the case of every character.
    if (!options.regularExpression && FPattern.toCaseFolded() == FPattern &&
        FPattern.toUpper() == FPattern)
        FOptions.matchCase = true;
    if (options.regularExpression) {
        FExpression.setPattern(FPattern);
        FExpression.setPatternOptions(ExpressionOptions(options));
    }
}

bool TextSearch::IsValid() const
{
    return !FOptions.regularExpression || FExpression.isValid();
}

QString TextSearch::ErrorText() const
{
    return IsValid() ? QString() : FExpression.errorString();
}

// The first match in `haystack` starting at or after `from`; an empty match of an expression is
// passed over.
TextMatch TextSearch::FindIn(QStringView haystack, qsizetype from) const
{
    if (IsEmpty() || !IsValid())
        return {};
    if (!FOptions.regularExpression) {
        const qsizetype at = haystack.indexOf(
            FPattern, from, FOptions.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
        return at < 0 ? TextMatch{} : TextMatch{at, FPattern.size()};
    }
    while (from <= haystack.size()) {
        const QRegularExpressionMatch match = FExpression.match(haystack, from);
        if (!match.hasMatch())
            return {};
        if (match.capturedLength() > 0)
            return {match.capturedStart(), match.capturedLength()};
        from = match.capturedStart() + 1;
    }
    return {};
}

TextMatch TextSearch::FindNext(const SearchedText& text, qsizetype from, qsizetype begin,
                               qsizetype end) const
{
    end = std::clamp<qsizetype>(end, 0, text.Text().size());
    from = std::max(from, begin);
    if (from > end)
        return {};
    if (FOptions.ignoreWidth)
        return FindNextFolded(text, from, begin, end);
    return FindIn(QStringView(text.Text()).first(end), from);
}

// In the folded text a match must begin and end where characters of the text do: ｶ alone does
// not match the first half of ガ.
TextMatch TextSearch::FindNextFolded(const SearchedText& text, qsizetype from, qsizetype,
                                     qsizetype end) const
{
    const FoldedText& folded = text.Folded();
    const QStringView haystack = QStringView(folded.Text()).first(folded.ToFolded(end));
    for (qsizetype at = folded.ToFolded(from);;) {
        const TextMatch match = FindIn(haystack, at);
        if (!match.Found())
            return {};
        if (folded.IsCharacterStart(match.start) && folded.IsCharacterStart(match.End())) {
            const qsizetype start = folded.ToOriginal(match.start);
            return {start, folded.ToOriginal(match.End()) - start};
        }
        at = match.start + 1;
    }
}

TextMatch TextSearch::FindPrevious(const SearchedText& text, qsizetype before, qsizetype begin,
                                   qsizetype end) const
{
    end = std::clamp<qsizetype>(end, 0, text.Text().size());
    before = std::min(before, end);
    if (IsEmpty() || !IsValid() || before <= begin)
        return {};
    if (!FOptions.regularExpression && !FOptions.ignoreWidth) {
        const qsizetype at =
            QStringView(text.Text())
                .first(end)
                .lastIndexOf(FPattern, before - 1,
                             FOptions.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
        return at < begin ? TextMatch{} : TextMatch{at, FPattern.size()};
    }
    // Forward through ever longer pieces before the place; the last match found in a piece
    // that starts before the limit is the one.
    qsizetype limit = before;
    for (qsizetype step = BackwardStep;; step *= 2) {
        const qsizetype pieceStart = std::max(begin, limit - step);
        qsizetype pieceEnd = end;
        if (FOptions.regularExpression) {
            const qsizetype lineEnd = text.Text().indexOf(QChar(u'\n'), limit + step);
            pieceEnd = lineEnd < 0 ? end : std::min(end, lineEnd);
        } else {
            pieceEnd = std::min(end, limit + FPattern.size());
        }
        TextMatch last;
        for (TextMatch match = FindNext(text, pieceStart, begin, pieceEnd);
             match.Found() && match.start < limit;
             match = FindNext(text, match.End(), begin, pieceEnd))
            last = match;
        if (last.Found() || pieceStart == begin)
            return last;
        limit = pieceStart;
    }
}

std::vector<TextMatch> TextSearch::FindAll(const SearchedText& text, qsizetype begin,
                                           qsizetype end) const
{
    std::vector<TextMatch> matches;
    for (TextMatch match = FindNext(text, begin, begin, end); match.Found();
         match = FindNext(text, match.End(), begin, end))
        matches.push_back(match);
    return matches;
}

namespace {

// The number of a group written after \ or $ at `at` (one digit, or digits in braces after $),
// and how many characters it took; -1 when there is none.
std::pair<int, qsizetype> GroupNumber(QStringView replacement, qsizetype at, bool braces)
{
    if (at >= replacement.size())
        return {-1, 0};
    if (replacement[at].isDigit())
        return {replacement[at].digitValue(), 1};
    if (!braces || replacement[at] != u'{')
        return {-1, 0};
    const qsizetype close = replacement.indexOf(u'}', at + 1);
    bool ok = false;
    const int number = close < 0 ? -1 : replacement.sliced(at + 1, close - at - 1).toInt(&ok);
    return ok ? std::pair<int, qsizetype>{number, close - at + 1}
              : std::pair<int, qsizetype>{-1, 0};
}

} // namespace

QString TextSearch::Replacement(const SearchedText& text, const TextMatch& match,
                                const QString& replacement) const
{
    if (!FOptions.regularExpression || !IsValid() || !match.Found())
        return replacement;
    const bool folded = FOptions.ignoreWidth;
    const QString& subject = folded ? text.Folded().Text() : text.Text();
    const qsizetype start = folded ? text.Folded().ToFolded(match.start) : match.start;
    const qsizetype end = folded ? text.Folded().ToFolded(match.End()) : match.End();
    const QRegularExpressionMatch groups =
        FExpression.match(QStringView(subject).first(end), start, QRegularExpression::NormalMatch,
                          QRegularExpression::AnchorAtOffsetMatchOption);
    // A group's text is the text's own, not its folded reading.
    const auto group = [&](int number) {
        if (!groups.hasMatch() || number > FExpression.captureCount() ||
            groups.capturedStart(number) < 0)
            return QString();
        if (!folded)
            return groups.captured(number);
        const qsizetype from = text.Folded().ToOriginal(groups.capturedStart(number));
        return text.Text().sliced(from,
                                  text.Folded().ToOriginal(groups.capturedEnd(number)) - from);
    };
    QString out;
    for (qsizetype i = 0; i < replacement.size(); ++i) {
        const QChar c = replacement[i];
        if ((c != u'\\' && c != u'$') || i + 1 >= replacement.size()) {
            out += c;
            continue;
        }
        const auto [number, used] = GroupNumber(replacement, i + 1, c == u'$');
        if (number >= 0) {
            out += group(number);
            i += used;
            continue;
        }
        const QChar next = replacement[i + 1];
        if (c == u'\\' && (next == u'n' || next == u't' || next == u'\\')) {
            out += next == u'n' ? QChar(u'\n') : next == u't' ? QChar(u'\t') : QChar(u'\\');
            ++i;
        } else if (c == u'$' && next == u'$') {
            out += QChar(u'$');
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
