// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManuscriptCheck.h"

#include "Cp932Codec.h"
#include "SettingsStore.h"
#include "ShiftJis.h"

#include <algorithm>
#include <string>

namespace {

constexpr std::string_view CheckSection = "Check";

const std::array<CheckRuleInfo, CheckRuleCount> Rules = {{
    {CheckRule::EllipsisPair, "ellipsis-pair", "三点リーダー",
     "三点リーダーは二つずつ（……）続けて使います"},
    {CheckRule::DashPair, "dash-pair", "ダッシュ", "ダッシュは二つずつ（――）続けて使います"},
    {CheckRule::SpaceAfterMark, "space-after-mark", "！？の後の空白",
     "！や？の後には全角スペースを入れます（閉じかっこと行末を除く）"},
    {CheckRule::PeriodBeforeClose, "period-before-close", "閉じかっこ前の句点",
     "閉じかっこの前に句点は付けません"},
    {CheckRule::ParagraphIndent, "paragraph-indent", "段落の字下げ",
     "段落の始めは全角スペースで字下げします"},
    {CheckRule::BracketBalance, "bracket-balance", "かっこの対応",
     "対応するかっこがこの行にありません"},
    {CheckRule::RepeatedPunctuation, "repeated-punctuation", "句読点の重なり",
     "句読点が重なっています"},
    {CheckRule::HalfwidthKana, "halfwidth-kana", "半角カタカナ", "半角カタカナが使われています"},
}};

// The character codes the rules look for, taken from the codec once.
std::uint32_t CodeOf(std::string_view utf8)
{
    std::string bytes;
    Cp932::EncodeFromUtf8(utf8, bytes);
    return bytes.empty() ? 0 : ShiftJis::CharacterAt(bytes, 0).code;
}

struct Marks
{
    std::uint32_t ellipsis = CodeOf("…");
    std::uint32_t twoDots = CodeOf("‥");
    std::uint32_t dash = CodeOf("―");
    std::uint32_t exclamation = CodeOf("！");
    std::uint32_t question = CodeOf("？");
    std::uint32_t period = CodeOf("。");
    std::uint32_t comma = CodeOf("、");
    std::uint32_t sharp = CodeOf("＃");
    std::uint32_t cornerClose = CodeOf("」");
    std::uint32_t doubleCornerClose = CodeOf("』");
    // Opening and closing brackets of the same kind at the same index.
    std::array<std::uint32_t, 9> opening = Codes<9>("「『（〔［｛〈《【");
    std::array<std::uint32_t, 9> closing = Codes<9>("」』）〕］｝〉》】");
    // Quotation marks, which open a paragraph and end a speech as a bracket does; they are left
    // out of the brackets' balance, since ’ is also an apostrophe and 〝 may close with 〃.
    std::array<std::uint32_t, 3> quoteOpening = Codes<3>("〝“‘");
    std::array<std::uint32_t, 3> quoteClosing = Codes<3>("〟”’");
    // The lead bytes of every double-byte character above: the rules pass over any other one.
    std::array<bool, 256> markLead = MarkLeads(*this);

    template <std::size_t N> static std::array<std::uint32_t, N> Codes(std::string_view utf8)
    {
        std::string bytes;
        Cp932::EncodeFromUtf8(utf8, bytes);
        std::array<std::uint32_t, N> codes{};
        std::size_t i = 0;
        for (const ShiftJis::Character& c : ShiftJis::Characters(bytes))
            if (i < codes.size())
                codes[i++] = c.code;
        return codes;
    }
    static std::array<bool, 256> MarkLeads(const Marks& m)
    {
        std::array<bool, 256> leads{};
        for (const std::uint32_t code :
             {m.ellipsis, m.twoDots, m.dash, m.exclamation, m.question, m.period, m.comma, m.sharp,
              m.cornerClose, m.doubleCornerClose, ShiftJis::DoubleByteSpace})
            leads[code >> 8] = true;
        for (const std::uint32_t code : m.opening)
            leads[code >> 8] = true;
        for (const std::uint32_t code : m.closing)
            leads[code >> 8] = true;
        for (const std::uint32_t code : m.quoteOpening)
            leads[code >> 8] = true;
        for (const std::uint32_t code : m.quoteClosing)
            leads[code >> 8] = true;
        return leads;
    }
    bool MayBeMark(std::uint32_t code) const noexcept { return markLead[(code >> 8) & 0xFF]; }
    // The kind of an opening (or closing) bracket, or -1.
    template <std::size_t N>
    static int KindOf(const std::array<std::uint32_t, N>& brackets, std::uint32_t code) noexcept
    {
        const auto* found = std::find(brackets.begin(), brackets.end(), code);
        return found == brackets.end() ? -1 : static_cast<int>(found - brackets.begin());
    }
};

const Marks& TheMarks()
{
    static const Marks marks;
    return marks;
}

// The half-width katakana and the half-width marks that come with them (｡｢｣､･).
bool IsHalfwidthKana(std::uint32_t code) noexcept
{
    return code >= 0xA1 && code <= 0xDF;
}

// A character of a line that some rule looks at, with its place (column - 1). Only these are
// kept: the rules ask of any other character only whether it is there.
struct MarkAt
{
    std::uint32_t index = 0;
    std::uint32_t code = 0;
};

// The marks of a line are gathered in one walk; the rules then look at them and at their
// neighbours, which are adjacent when their places are.
class LineChecker
{
public:
    LineChecker(std::string_view line, const std::vector<MarkAt>& marks, std::uint32_t length,
                bool heading, const CheckSwitches& switches, std::vector<LineFinding>& out)
        : FLine(line), FMarks(marks), FLength(length), FHeading(heading), FSwitches(switches),
          FOut(out), FKnown(TheMarks())
    {
    }

    void Run()
    {
        if (FLength == 0)
            return;
        if (On(CheckRule::ParagraphIndent) && !StartsParagraphProperly())
            Add(0, CheckRule::ParagraphIndent);
        for (std::size_t k = 0; k < FMarks.size(); ++k)
            CheckAt(k);
        if (On(CheckRule::BracketBalance))
            CheckBrackets();
    }

private:
    bool On(CheckRule rule) const noexcept { return FSwitches.On(rule); }
    void Add(std::uint32_t index, CheckRule rule) { FOut.push_back({index + 1, rule}); }
    // The code of the mark right after mark k, or 0 when the character there is no mark.
    std::uint32_t Next(std::size_t k) const noexcept
    {
        return k + 1 < FMarks.size() && FMarks[k + 1].index == FMarks[k].index + 1
                   ? FMarks[k + 1].code
                   : 0;
    }
    // True when the character right before mark k is the same mark.
    bool SameBefore(std::size_t k) const noexcept
    {
        return k > 0 && FMarks[k - 1].index + 1 == FMarks[k].index &&
               FMarks[k - 1].code == FMarks[k].code;
    }
    bool IsClosing(std::uint32_t code) const noexcept
    {
        return Marks::KindOf(FKnown.closing, code) >= 0 ||
               Marks::KindOf(FKnown.quoteClosing, code) >= 0;
    }
    bool IsMark(std::uint32_t code) const noexcept
    {
        return code == FKnown.exclamation || code == FKnown.question;
    }
    bool IsPunctuation(std::uint32_t code) const noexcept
    {
        return code == FKnown.period || code == FKnown.comma;
    }
    std::uint32_t CodeAt(std::size_t position) const noexcept
    {
        return position < FLine.size() ? ShiftJis::CharacterAt(FLine, position).code : 0;
    }

    // A paragraph begins with a full-width blank; dialogue and a note begin with their own mark, a
    // paired ellipsis or dash may open a line of its own, and a heading stands as it is.
    bool StartsParagraphProperly() const noexcept
    {
        const std::uint32_t first = CodeAt(0);
        if (first == ShiftJis::DoubleByteSpace || Marks::KindOf(FKnown.opening, first) >= 0 ||
            Marks::KindOf(FKnown.quoteOpening, first) >= 0)
            return true;
        if ((first == FKnown.dash || first == FKnown.ellipsis || first == FKnown.twoDots) &&
            CodeAt(ShiftJis::CharacterLength(FLine, 0)) == first)
            return true;
        return FHeading;
    }

    // The last mark of the notes (［＃…］) right after mark k, or k when none follows it: a note
    // is no text, and what the text reads next comes after it.
    std::size_t SkipNotes(std::size_t k) const noexcept
    {
        const std::uint32_t noteOpen = FKnown.opening[4]; // ［
        const std::uint32_t noteClose = FKnown.closing[4];
        while (Next(k) == noteOpen && Next(k + 1) == FKnown.sharp) {
            std::size_t close = k + 3;
            while (close < FMarks.size() && FMarks[close].code != noteClose)
                ++close;
            if (close == FMarks.size())
                break;
            k = close;
        }
        return k;
    }

    // The odd run of `code` that begins at mark k.
    bool BeginsOddRun(std::size_t k) const noexcept
    {
        if (SameBefore(k))
            return false;
        std::size_t end = k + 1;
        while (end < FMarks.size() && SameBefore(end))
            ++end;
        return (end - k) % 2 == 1;
    }

    void CheckAt(std::size_t k)
    {
        const std::uint32_t code = FMarks[k].code;
        const std::uint32_t index = FMarks[k].index;
        if (code < 0x100) {
            if (On(CheckRule::HalfwidthKana) && IsHalfwidthKana(code))
                Add(index, CheckRule::HalfwidthKana);
            return;
        }
        if (On(CheckRule::EllipsisPair) && (code == FKnown.ellipsis || code == FKnown.twoDots) &&
            BeginsOddRun(k))
            Add(index, CheckRule::EllipsisPair);
        if (On(CheckRule::DashPair) && code == FKnown.dash && BeginsOddRun(k))
            Add(index, CheckRule::DashPair);
        if (On(CheckRule::SpaceAfterMark) && IsMark(code) &&
            !(k > 0 && FMarks[k - 1].index + 1 == index && IsMark(FMarks[k - 1].code)))
            CheckMarkRun(k);
        const std::uint32_t next = Next(k);
        const std::uint32_t afterNotes = Next(SkipNotes(k));
        if (code == FKnown.period && On(CheckRule::PeriodBeforeClose) &&
            (afterNotes == FKnown.cornerClose || afterNotes == FKnown.doubleCornerClose))
            Add(index, CheckRule::PeriodBeforeClose);
        if (On(CheckRule::RepeatedPunctuation) && IsPunctuation(code) && IsPunctuation(next))
            Add(index, CheckRule::RepeatedPunctuation);
    }

    // What follows a run of ！ and ？: a blank, a closing bracket or the line's end.
    void CheckMarkRun(std::size_t start)
    {
        std::size_t last = start;
        while (IsMark(Next(last)))
            ++last;
        if (FMarks[last].index + 1 == FLength)
            return;
        const std::uint32_t next = Next(last);
        if (next != ShiftJis::DoubleByteSpace && !IsClosing(next))
            Add(FMarks[start].index, CheckRule::SpaceAfterMark);
    }

    // Brackets nest: a closing one must close the innermost open one. One that closes another
    // kind, across a pair still open inside it (「あ『い」う』), or that closes nothing, is a
    // finding, and so is an opening one left open.
    void CheckBrackets()
    {
        std::vector<MarkAt> open;
        for (const MarkAt& mark : FMarks) {
            if (Marks::KindOf(FKnown.opening, mark.code) >= 0) {
                open.push_back(mark);
            } else if (const int closing = Marks::KindOf(FKnown.closing, mark.code); closing >= 0) {
                if (!open.empty() && Marks::KindOf(FKnown.opening, open.back().code) == closing)
                    open.pop_back();
                else
                    Add(mark.index, CheckRule::BracketBalance);
            }
        }
        for (const MarkAt& mark : open)
            Add(mark.index, CheckRule::BracketBalance);
    }

    std::string_view FLine;
    const std::vector<MarkAt>& FMarks;
    std::uint32_t FLength; // characters
    bool FHeading;         // a heading's line, which no indent begins
    const CheckSwitches& FSwitches;
    std::vector<LineFinding>& FOut;
    const Marks& FKnown;
};

void CheckLineInto(std::string_view line, bool heading, const CheckSwitches& switches,
                   std::vector<MarkAt>& marks, std::vector<LineFinding>& out)
{
    const Marks& known = TheMarks();
    marks.clear();
    std::uint32_t index = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(line)) {
        if (c.doubleByte ? known.MayBeMark(c.code) : IsHalfwidthKana(c.code))
            marks.push_back({index, c.code});
        ++index;
    }
    const std::size_t before = out.size();
    LineChecker(line, marks, index, heading, switches, out).Run();
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(before), out.end(),
              [](const LineFinding& a, const LineFinding& b) {
                  return a.column != b.column ? a.column < b.column : a.rule < b.rule;
              });
}

} // namespace

const std::array<CheckRuleInfo, CheckRuleCount>& CheckRules() noexcept
{
    return Rules;
}

const CheckRuleInfo& RuleInfo(CheckRule rule) noexcept
{
    return Rules[static_cast<std::size_t>(rule)];
}

std::optional<CheckRule> RuleById(std::string_view id) noexcept
{
    for (const CheckRuleInfo& info : Rules)
        if (info.id == id)
            return info.rule;
    return std::nullopt;
}

void ReadCheckSwitches(CheckSwitches& switches, SettingsStore& file)
{
    for (const CheckRuleInfo& info : Rules)
        switches.Set(info.rule, file.ReadBool(CheckSection, info.id, switches.On(info.rule)));
}

void WriteCheckSwitches(const CheckSwitches& switches, SettingsStore& file)
{
    for (const CheckRuleInfo& info : Rules)
        file.WriteBool(CheckSection, info.id, switches.On(info.rule));
}

void CheckLine(std::string_view line, const CheckSwitches& switches, std::vector<LineFinding>& out,
               bool heading)
{
    std::vector<MarkAt> marks;
    CheckLineInto(line, heading, switches, marks, out);
}

void CheckLines(const LineSource& line, std::size_t count, std::size_t first, std::size_t end,
                const CheckSwitches& switches, const HeadingRules& rules,
                const std::function<void(std::size_t, std::vector<LineFinding>&)>& take)
{
    std::vector<MarkAt> marks;
    std::vector<LineFinding> findings;
    // Over many lines, the lines that may open a block heading are found once.
    constexpr std::size_t ManyLines = 64;
    std::vector<std::size_t> openings;
    const bool many = end - first > ManyLines;
    if (many)
        for (std::size_t n = first >= BlockHeadingLines ? first - BlockHeadingLines + 1 : 0;
             n < end && n < count; ++n)
            if (OpensBlockHeading(line(n)))
                openings.push_back(n);
    for (std::size_t n = first; n < end && n < count; ++n) {
        findings.clear();
        CheckLineInto(line(n), false, switches, marks, findings);
        // Only a line without its indent is asked whether it is a heading, which may read the
        // lines around it.
        const auto indent =
            std::find(findings.begin(), findings.end(), LineFinding{1, CheckRule::ParagraphIndent});
        if (indent != findings.end() &&
            IsHeadingLine(line, count, n, rules, many ? &openings : nullptr))
            findings.erase(indent);
        take(n, findings);
    }
}

std::vector<CheckFinding> CheckText(std::string_view text, const CheckSwitches& switches,
                                    const HeadingRules& rules)
{
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t stop = text.find("\r\n", start);
        if (stop == std::string_view::npos)
            stop = text.size();
        lines.push_back(text.substr(start, stop - start));
        if (stop == text.size())
            break;
        start = stop + 2;
    }
    std::vector<CheckFinding> findings;
    CheckLines([&lines](std::size_t n) { return lines[n]; }, lines.size(), 0, lines.size(),
               switches, rules,
               [&findings](std::size_t n, std::vector<LineFinding>& line) {
                   for (const LineFinding& f : line)
                       findings.push_back({n + 1, f.column, f.rule});
               });
    return findings;
}
