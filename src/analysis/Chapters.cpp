// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Chapters.h"

#include "BoundedPattern.h"
#include "Cp932Codec.h"
#include "SettingsStore.h"
#include "ShiftJis.h"
#include "TextAsRead.h"
#include "Utf8.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

namespace {

std::string Sjis(const char8_t* utf8)
{
    std::string bytes;
    Cp932::EncodeFromUtf8(reinterpret_cast<const char*>(utf8), bytes);
    return bytes;
}

// The words of the rules in Shift-JIS, made once.
struct Words
{
    std::string noteOpen = Sjis(u8"［＃");
    std::string noteClose = Sjis(u8"］");
    std::string quoteOpen = Sjis(u8"「");
    std::string quoteEndIs = Sjis(u8"」は");
    std::string heading = Sjis(u8"見出し");
    std::string end = Sjis(u8"終わり");
    std::array<std::string, 3> placings = {"", Sjis(u8"同行"), Sjis(u8"窓")};
    std::array<std::string, 3> sizes = {Sjis(u8"大"), Sjis(u8"中"), Sjis(u8"小")};
    std::string chapterOpen = Sjis(u8"第");
    std::string numerals = Sjis(u8"０１２３４５６７８９〇一二三四五六七八九十百千万零壱弐参拾");
    std::string units = Sjis(u8"章部話幕");
    // What may stand between a chapter's number and its title, as a blank does.
    std::string separators = Sjis(u8"：:・―－-—.．");
    // Brackets that may hold a chapter's title, the closing one at the same place.
    std::string titleOpeners = Sjis(u8"「『（(【〈［〔");
    std::string titleClosers = Sjis(u8"」』）)】〉］〕");
    std::string sentenceEnd = Sjis(u8"。");
    std::string blockFrom = Sjis(u8"ここから");
    std::string blockTo = Sjis(u8"ここで");
    std::array<std::string, 5> alone = {Sjis(u8"プロローグ"), Sjis(u8"エピローグ"), Sjis(u8"序章"),
                                        Sjis(u8"終章"), Sjis(u8"間章")};
    std::string opening = Sjis(u8"（冒頭）");
    // The characters a heading of the last two kinds may begin with, after the indent, in the line
    // as written: a line beginning otherwise is read no further for them.
    std::string firstCharacters = Sjis(u8"#第プエ序終間｜|《［");
};

const Words& W()
{
    static const Words words;
    return words;
}

bool InSet(std::string_view set, std::string_view character)
{
    for (const ShiftJis::Character& c : ShiftJis::Characters(set))
        if (set.substr(c.position, c.length) == character)
            return true;
    return false;
}

std::string_view CharacterAt(std::string_view text, std::size_t position)
{
    return text.substr(position, ShiftJis::CharacterLength(text, position));
}

bool IsBlank(std::string_view character)
{
    return character == " " || character == "\t" || character == "\x81\x40";
}

// The text without the blanks (and the full-width indent) at either end.
std::string_view Trimmed(std::string_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(CharacterAt(text, begin)))
        begin += ShiftJis::CharacterLength(text, begin);
    std::size_t end = begin;
    for (std::size_t p = begin; p < text.size(); p += ShiftJis::CharacterLength(text, p))
        if (!IsBlank(CharacterAt(text, p)))
            end = p + ShiftJis::CharacterLength(text, p);
    return text.substr(begin, end - begin);
}

// The first place at or after `from` where `needle` begins at a character of the text.
std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0)
{
    for (std::size_t at = text.find(needle, from); at != std::string_view::npos;
         at = text.find(needle, at + 1))
        if (ShiftJis::IsCharacterBoundary(text, at))
            return at;
    return std::string_view::npos;
}

std::string AsReadTitle(std::string_view title)
{
    return std::string(Trimmed(ReadingText(title, true).View()));
}

// The level that a note's words give (大見出し 1, 中見出し 2, 小見出し 3, after 同行 or 窓), or 0.
std::int32_t NoteLevel(std::string_view words)
{
    for (const std::string& placing : W().placings) {
        if (!words.starts_with(placing))
            continue;
        const std::string_view rest = words.substr(placing.size());
        for (std::size_t i = 0; i < W().sizes.size(); ++i)
            if (rest.starts_with(W().sizes[i]) && rest.substr(W().sizes[i].size()) == W().heading)
                return static_cast<std::int32_t>(i + 1);
    }
    return 0;
}

// A heading note in the line: ［＃「TITLE」は…見出し］, or ［＃…見出し］TITLE［＃…見出し終わり］.
std::optional<Heading> NoteHeading(std::string_view line)
{
    const Words& w = W();
    for (std::size_t open = Find(line, w.noteOpen); open != std::string_view::npos;
         open = Find(line, w.noteOpen, open + 1)) {
        const std::size_t inside = open + w.noteOpen.size();
        const std::size_t close = Find(line, w.noteClose, inside);
        if (close == std::string_view::npos)
            return std::nullopt;
        const std::string_view note = line.substr(inside, close - inside);
        if (note.starts_with(w.quoteOpen)) {
            const std::size_t is = note.rfind(w.quoteEndIs);
            if (is != std::string_view::npos && ShiftJis::IsCharacterBoundary(note, is)) {
                if (const std::int32_t level = NoteLevel(note.substr(is + w.quoteEndIs.size())))
                    return Heading{level, AsReadTitle(note.substr(w.quoteOpen.size(),
                                                                  is - w.quoteOpen.size()))};
            }
            continue;
        }
        if (const std::int32_t level = NoteLevel(note)) {
            const std::string ending = w.noteOpen + std::string(note) + w.end + w.noteClose;
            const std::size_t after = close + w.noteClose.size();
            const std::size_t last = Find(line, ending, after);
            if (last != std::string_view::npos)
                return Heading{level, AsReadTitle(line.substr(after, last - after))};
        }
    }
    return std::nullopt;
}

// "#", "##" or "###" and a blank at the start of the line.
std::optional<Heading> MarkdownHeading(std::string_view line)
{
    std::size_t marks = 0;
    while (marks < line.size() && line[marks] == '#')
        ++marks;
    if (marks == 0 || marks > 3 || !IsBlank(CharacterAt(line, marks)))
        return std::nullopt;
    const std::string_view title = Trimmed(line.substr(marks));
    if (title.empty())
        return std::nullopt;
    return Heading{static_cast<std::int32_t>(marks), std::string(title)};
}

// The index of a character in a set of characters, or npos.
std::size_t IndexIn(std::string_view set, std::string_view character)
{
    std::size_t index = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(set)) {
        if (set.substr(c.position, c.length) == character)
            return index;
        ++index;
    }
    return std::string_view::npos;
}

std::string_view CharacterOfSet(std::string_view set, std::size_t index)
{
    for (const ShiftJis::Character& c : ShiftJis::Characters(set))
        if (index-- == 0)
            return set.substr(c.position, c.length);
    return {};
}

// What follows a chapter's number makes the line a heading: nothing; a blank or a mark and a title
// that is no sentence; or a title in brackets whose closing bracket ends the line.
bool EndsAsTitle(std::string_view rest)
{
    const Words& w = W();
    if (rest.empty())
        return true;
    const std::string_view first = CharacterAt(rest, 0);
    if (IsBlank(first) || InSet(w.separators, first))
        return !rest.ends_with(w.sentenceEnd) ||
               !ShiftJis::IsCharacterBoundary(rest, rest.size() - w.sentenceEnd.size());
    const std::size_t kind = IndexIn(w.titleOpeners, first);
    if (kind == std::string_view::npos)
        return false;
    const std::string_view closer = CharacterOfSet(w.titleClosers, kind);
    std::size_t depth = 0;
    for (std::size_t p = 0; p < rest.size(); p += ShiftJis::CharacterLength(rest, p)) {
        const std::string_view c = CharacterAt(rest, p);
        if (c == first)
            ++depth;
        else if (c == closer && --depth == 0)
            return p + c.size() == rest.size();
    }
    return false;
}

// 第 + numerals + 章/部/話/幕 read as a title, or one of the words that stand alone.
std::optional<Heading> ChapterTitle(std::string_view line)
{
    const Words& w = W();
    const std::string_view title = Trimmed(line);
    for (const std::string& word : w.alone)
        if (title == word)
            return Heading{2, std::string(title)};
    if (!title.starts_with(w.chapterOpen))
        return std::nullopt;
    std::size_t p = w.chapterOpen.size();
    const std::size_t numberStart = p;
    const auto isDigit = [](std::string_view c) {
        return c.size() == 1 && c[0] >= '0' && c[0] <= '9';
    };
    while (p < title.size() &&
           (isDigit(CharacterAt(title, p)) || InSet(w.numerals, CharacterAt(title, p))))
        p += ShiftJis::CharacterLength(title, p);
    if (p == numberStart || p >= title.size() || !InSet(w.units, CharacterAt(title, p)))
        return std::nullopt;
    p += ShiftJis::CharacterLength(title, p);
    if (!EndsAsTitle(title.substr(p)))
        return std::nullopt;
    return Heading{2, std::string(title)};
}

// The level of a block heading's opening note (［＃ここから大見出し］) on a line of notes only,
// or 0.
std::int32_t BlockOpening(std::string_view line)
{
    const Words& w = W();
    // Most lines are told by their first characters, without a walk to their end.
    std::size_t begin = 0;
    while (begin < line.size() && IsBlank(CharacterAt(line, begin)))
        begin += ShiftJis::CharacterLength(line, begin);
    if (!line.substr(begin).starts_with(w.noteOpen))
        return 0;
    std::string_view rest = Trimmed(line);
    std::int32_t level = 0;
    while (rest.starts_with(w.noteOpen)) {
        const std::size_t close = Find(rest, w.noteClose, w.noteOpen.size());
        if (close == std::string_view::npos)
            return 0;
        const std::string_view words = rest.substr(w.noteOpen.size(), close - w.noteOpen.size());
        if (level == 0 && words.starts_with(w.blockFrom))
            level = NoteLevel(words.substr(w.blockFrom.size()));
        rest = Trimmed(rest.substr(close + w.noteClose.size()));
    }
    return rest.empty() ? level : 0;
}

// Whether the line holds the closing note of a block heading of this level.
bool BlockClosing(std::string_view line, std::int32_t level)
{
    const Words& w = W();
    for (std::size_t open = Find(line, w.noteOpen); open != std::string_view::npos;
         open = Find(line, w.noteOpen, open + 1)) {
        const std::size_t inside = open + w.noteOpen.size();
        const std::size_t close = Find(line, w.noteClose, inside);
        if (close == std::string_view::npos)
            return false;
        std::string_view words = line.substr(inside, close - inside);
        if (words.starts_with(w.blockTo) && words.ends_with(w.end)) {
            words = words.substr(w.blockTo.size(), words.size() - w.blockTo.size() - w.end.size());
            if (NoteLevel(words) == level)
                return true;
        }
    }
    return false;
}

// A line whose first character after the indent is none of these is no heading of the kinds read
// in the line as read: ruby and notes are the only marks that could hide a heading behind them.
bool MayBeginHeading(std::string_view line)
{
    std::size_t p = 0;
    while (p < line.size() && IsBlank(CharacterAt(line, p)))
        p += ShiftJis::CharacterLength(line, p);
    return p < line.size() && InSet(W().firstCharacters, CharacterAt(line, p));
}

} // namespace

bool HeadingRules::SetExtraPattern(std::string_view utf8)
{
    FPattern = std::string(utf8);
    FExtra.reset();
    if (utf8.empty())
        return true;
    std::u32string characters;
    if (!Utf8::ForEachCodePoint(utf8, [&characters](char32_t code) { characters += code; }))
        return false;
    FExtra = BoundedPattern::Make(characters);
    return FExtra != nullptr;
}

bool HeadingRules::ExtraPatternGaveUp() const noexcept
{
    return FExtra && FExtra->GaveUp();
}

bool HeadingRules::MatchesExtra(std::string_view line) const
{
    // A heading is short: a longer line is prose, and is not searched at all.
    constexpr std::size_t HeadingLength = 200;
    if (!FExtra || line.size() > 2 * HeadingLength)
        return false;
    const std::u16string decoded = Cp932::Decode(line);
    return decoded.size() <= HeadingLength && FExtra->Search(decoded);
}

std::optional<Heading> HeadingRules::Match(std::string_view line) const
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (Find(line, W().noteOpen) != std::string_view::npos)
        if (auto note = NoteHeading(line))
            return note;
    if (MayBeginHeading(line)) {
        const ReadingText asRead(line, true);
        if (auto heading = MarkdownHeading(asRead.View()))
            return heading;
        if (auto heading = ChapterTitle(asRead.View()))
            return heading;
    }
    if (MatchesExtra(line))
        return Heading{2, AsReadTitle(line)};
    return std::nullopt;
}

bool ReadHeadingSettings(HeadingRules& rules, SettingsStore& file)
{
    return rules.SetExtraPattern(file.ReadString("Chapters", "Pattern", rules.ExtraPattern()));
}

void WriteHeadingSettings(const HeadingRules& rules, SettingsStore& file)
{
    file.WriteString("Chapters", "Pattern", rules.ExtraPattern());
}

namespace {

// The block heading that opens at line `at`, if the line opens one: its closing line and its
// heading. None when the block does not close within BlockHeadingLines lines, when another block
// opens inside it, or when it holds no title.
struct BlockHeading
{
    std::size_t closing = 0;
    Heading heading;
};

std::optional<BlockHeading> BlockAt(const LineSource& line, std::size_t count, std::size_t at)
{
    const std::int32_t level = BlockOpening(line(at));
    if (level == 0)
        return std::nullopt;
    std::string title;
    for (std::size_t j = at + 1; j < count && j < at + BlockHeadingLines; ++j) {
        const std::string_view text = line(j);
        if (BlockClosing(text, level)) {
            if (title.empty())
                return std::nullopt;
            return BlockHeading{j, Heading{level, std::move(title)}};
        }
        if (BlockOpening(text) != 0)
            return std::nullopt;
        const std::string part = AsReadTitle(text);
        if (!part.empty() && !title.empty())
            title += "\x81\x40";
        title += part;
    }
    return std::nullopt;
}

} // namespace

HeadingsOfLines FindHeadingsAmong(const LineSource& line, std::size_t count, std::size_t first,
                                  std::size_t last, const HeadingRules& rules)
{
    HeadingsOfLines found;
    if (count == 0 || first > last || first >= count)
        return found;
    last = std::min(last, count - 1);
    found.partOfHeading.assign(last - first + 1, false);
    const auto mark = [&](std::size_t from, std::size_t to) {
        for (std::size_t n = std::max(from, first); n <= std::min(to, last); ++n)
            found.partOfHeading[n - first] = true;
    };
    // A block that holds line `first` opens at most BlockHeadingLines - 1 lines before it.
    std::size_t n = first >= BlockHeadingLines ? first - BlockHeadingLines + 1 : 0;
    for (; n <= last; ++n) {
        std::string_view text = line(n);
        if (BlockOpening(text) != 0) {
            if (auto block = BlockAt(line, count, n)) {
                if (n >= first)
                    found.headings.push_back({n, std::move(block->heading)});
                mark(n, block->closing);
                n = block->closing;
                continue;
            }
            text = line(n);
        }
        if (n < first)
            continue;
        if (auto heading = rules.Match(text)) {
            found.headings.push_back({n, std::move(*heading)});
            mark(n, n);
        }
    }
    return found;
}

bool OpensBlockHeading(std::string_view line)
{
    return BlockOpening(line) != 0;
}

bool IsHeadingLine(const LineSource& line, std::size_t count, std::size_t n,
                   const HeadingRules& rules, const std::vector<std::size_t>* openings)
{
    if (n >= count)
        return false;
    const std::size_t from = n >= BlockHeadingLines ? n - BlockHeadingLines + 1 : 0;
    bool mayBeInBlock = false;
    if (openings) {
        const auto opening = std::lower_bound(openings->begin(), openings->end(), from);
        mayBeInBlock = opening != openings->end() && *opening <= n;
    } else {
        for (std::size_t j = from; j <= n && !mayBeInBlock; ++j)
            mayBeInBlock = BlockOpening(line(j)) != 0;
    }
    if (mayBeInBlock)
        return FindHeadingsAmong(line, count, n, n, rules).partOfHeading.front();
    return rules.Match(line(n)).has_value();
}

std::vector<HeadingLine> FindHeadings(std::string_view text, const HeadingRules& rules,
                                      std::vector<std::size_t>* starts)
{
    std::vector<std::size_t> own;
    std::vector<std::size_t>& lineStarts = starts ? *starts : own;
    const std::size_t before = lineStarts.size();
    for (std::size_t start = 0;;) {
        lineStarts.push_back(start);
        const void* found = start < text.size()
                                ? std::memchr(text.data() + start, '\n', text.size() - start)
                                : nullptr;
        if (!found)
            break;
        start = static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) + 1;
        // A text that ends with a break ends with its last line: nothing follows it.
        if (start == text.size())
            break;
    }
    const std::span<const std::size_t> ours(lineStarts.data() + before, lineStarts.size() - before);
    const LineSource source = [&](std::size_t n) {
        const std::size_t end = n + 1 < ours.size() ? ours[n + 1] - 1 : text.size();
        std::string_view line = text.substr(ours[n], end - ours[n]);
        if (!line.empty() && line.back() == '\n')
            line.remove_suffix(1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    };
    return FindHeadingsAmong(source, ours.size(), 0, ours.size() - 1, rules).headings;
}

std::string OpeningTitle()
{
    return W().opening;
}

std::vector<ChapterSpan> ChaptersOf(const std::vector<HeadingLine>& headings, std::size_t lineCount,
                                    bool opening)
{
    std::vector<ChapterSpan> chapters;
    const std::size_t firstHeading = headings.empty() ? lineCount : headings.front().line;
    if (opening && firstHeading > 0)
        chapters.push_back({0, 0, firstHeading, OpeningTitle()});
    // The chapters still open, by index; a heading closes every one of its level or a lower one.
    std::vector<std::size_t> open;
    for (const HeadingLine& h : headings) {
        while (!open.empty() && chapters[open.back()].level >= h.heading.level) {
            chapters[open.back()].endLine = h.line;
            open.pop_back();
        }
        open.push_back(chapters.size());
        chapters.push_back({h.heading.level, h.line, lineCount, h.heading.title});
    }
    return chapters;
}

std::vector<std::size_t> ParentsOf(const std::vector<ChapterSpan>& chapters)
{
    std::vector<std::size_t> parents(chapters.size(), NoParent);
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        while (!open.empty() && chapters[open.back()].endLine <= chapters[i].firstLine)
            open.pop_back();
        if (!open.empty())
            parents[i] = open.back();
        open.push_back(i);
    }
    return parents;
}
