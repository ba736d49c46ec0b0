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
    std::array<std::uint32_t, 9> opening = Codes("「『（〔［｛〈《【");
    std::array<std::uint32_t, 9> closing = Codes("」』）〕］｝〉》】");

    static std::array<std::uint32_t, 9> Codes(std::string_view utf8)
    {
        std::string bytes;
        Cp932::EncodeFromUtf8(utf8, bytes);
        std::array<std::uint32_t, 9> codes{};
        std::size_t i = 0;
        for (const ShiftJis::Character& c : ShiftJis::Characters(bytes))
            if (i < codes.size())
                codes[i++] = c.code;
        return codes;
    }
    // The kind of an opening (or closing) bracket, or -1.
    static int KindOf(const std::array<std::uint32_t, 9>& brackets, std::uint32_t code) noexcept
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

bool IsHalfwidthKana(std::uint32_t code) noexcept
{
    return code >= 0xA6 && code <= 0xDF;
}

// Walks the codes of one line once per rule family; the codes are gathered first so that each
// rule may look at its neighbours.
class LineChecker
{
public:
    LineChecker(const std::vector<std::uint32_t>& codes, const CheckSwitches& switches,
                std::vector<LineFinding>& out)
        : FCodes(codes), FSwitches(switches), FOut(out), FMarks(TheMarks())
    {
    }

    void Run()
    {
        if (FCodes.empty())
            return;
        if (On(CheckRule::ParagraphIndent) && !StartsParagraphProperly())
            Add(0, CheckRule::ParagraphIndent);
        for (std::size_t i = 0; i < FCodes.size(); ++i)
            CheckAt(i);
        if (On(CheckRule::BracketBalance))
            CheckBrackets();
    }

private:
    bool On(CheckRule rule) const noexcept { return FSwitches.On(rule); }
    void Add(std::size_t index, CheckRule rule)
    {
        FOut.push_back({static_cast<std::uint32_t>(index + 1), rule});
    }
    std::uint32_t At(std::size_t index) const noexcept
    {
        return index < FCodes.size() ? FCodes[index] : 0;
    }
    bool IsClosing(std::uint32_t code) const noexcept
    {
        return Marks::KindOf(FMarks.closing, code) >= 0;
    }
    bool IsMark(std::uint32_t code) const noexcept
    {
        return code == FMarks.exclamation || code == FMarks.question;
    }
    bool IsPunctuation(std::uint32_t code) const noexcept
    {
        return code == FMarks.period || code == FMarks.comma;
    }

    // A paragraph begins with a full-width blank; dialogue, a note and a heading begin with their
    // own mark, and a paired ellipsis or dash may open a line of its own.
    bool StartsParagraphProperly() const noexcept
    {
        const std::uint32_t first = FCodes[0];
        if (first == ShiftJis::DoubleByteSpace || Marks::KindOf(FMarks.opening, first) >= 0)
            return true;
        if ((first == FMarks.dash || first == FMarks.ellipsis || first == FMarks.twoDots) &&
            At(1) == first)
            return true;
        return IsHeading();
    }

    // A heading of a plain-text manuscript: one or more # and a blank. A heading note
    // (［＃…見出し］) begins with an opening bracket and needs no test of its own.
    bool IsHeading() const noexcept
    {
        std::size_t i = 0;
        while (At(i) == '#' || At(i) == FMarks.sharp)
            ++i;
        const std::uint32_t after = At(i);
        return i > 0 && (after == ShiftJis::Space || after == ShiftJis::Tab ||
                         after == ShiftJis::DoubleByteSpace);
    }

    // The length of the run of `code`s from `index`, when a run starts there; else 0.
    std::size_t RunFrom(std::size_t index, std::uint32_t code) const noexcept
    {
        if (FCodes[index] != code || (index > 0 && FCodes[index - 1] == code))
            return 0;
        std::size_t end = index;
        while (end < FCodes.size() && FCodes[end] == code)
            ++end;
        return end - index;
    }

    void CheckAt(std::size_t i)
    {
        const std::uint32_t code = FCodes[i];
        if (code < 0x100) {
            if (On(CheckRule::HalfwidthKana) && IsHalfwidthKana(code))
                Add(i, CheckRule::HalfwidthKana);
            return;
        }
        if (On(CheckRule::EllipsisPair) && (code == FMarks.ellipsis || code == FMarks.twoDots) &&
            RunFrom(i, code) % 2 == 1)
            Add(i, CheckRule::EllipsisPair);
        if (On(CheckRule::DashPair) && code == FMarks.dash && RunFrom(i, code) % 2 == 1)
            Add(i, CheckRule::DashPair);
        if (On(CheckRule::SpaceAfterMark) && IsMark(code) && (i == 0 || !IsMark(FCodes[i - 1])))
            CheckMarkRun(i);
        if (code == FMarks.period && On(CheckRule::PeriodBeforeClose) &&
            (At(i + 1) == FMarks.cornerClose || At(i + 1) == FMarks.doubleCornerClose))
            Add(i, CheckRule::PeriodBeforeClose);
        if (On(CheckRule::RepeatedPunctuation) && IsPunctuation(code) && IsPunctuation(At(i + 1)))
            Add(i, CheckRule::RepeatedPunctuation);
    }

    void CheckMarkRun(std::size_t start)
    {
        std::size_t end = start;
        while (end < FCodes.size() && IsMark(FCodes[end]))
            ++end;
        if (end == FCodes.size())
            return;
        const std::uint32_t next = FCodes[end];
        if (next != ShiftJis::DoubleByteSpace && !IsClosing(next))
            Add(start, CheckRule::SpaceAfterMark);
    }

    // Each kind of bracket pairs on its own: a closing one takes the nearest open one of its kind.
    void CheckBrackets()
    {
        std::array<std::vector<std::size_t>, 9> open;
        for (std::size_t i = 0; i < FCodes.size(); ++i) {
            if (FCodes[i] < 0x100)
                continue;
            if (const int kind = Marks::KindOf(FMarks.opening, FCodes[i]); kind >= 0) {
                open[static_cast<std::size_t>(kind)].push_back(i);
            } else if (const int closing = Marks::KindOf(FMarks.closing, FCodes[i]); closing >= 0) {
                auto& stack = open[static_cast<std::size_t>(closing)];
                if (stack.empty())
                    Add(i, CheckRule::BracketBalance);
                else
                    stack.pop_back();
            }
        }
        for (const auto& stack : open)
            for (const std::size_t i : stack)
                Add(i, CheckRule::BracketBalance);
    }

    const std::vector<std::uint32_t>& FCodes;
    const CheckSwitches& FSwitches;
    std::vector<LineFinding>& FOut;
    const Marks& FMarks;
};

void CheckLineInto(std::string_view line, const CheckSwitches& switches,
                   std::vector<std::uint32_t>& codes, std::vector<LineFinding>& out)
{
    codes.clear();
    for (const ShiftJis::Character& c : ShiftJis::Characters(line))
        codes.push_back(c.code);
    const std::size_t before = out.size();
    LineChecker(codes, switches, out).Run();
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

void CheckLine(std::string_view line, const CheckSwitches& switches, std::vector<LineFinding>& out)
{
    std::vector<std::uint32_t> codes;
    CheckLineInto(line, switches, codes, out);
}

std::vector<CheckFinding> CheckText(std::string_view text, const CheckSwitches& switches)
{
    std::vector<CheckFinding> findings;
    std::vector<std::uint32_t> codes;
    std::vector<LineFinding> line;
    std::size_t number = 0;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t stop = text.find("\r\n", start);
        if (stop == std::string_view::npos)
            stop = text.size();
        ++number;
        line.clear();
        CheckLineInto(text.substr(start, stop - start), switches, codes, line);
        for (const LineFinding& f : line)
            findings.push_back({number, f.column, f.rule});
        if (stop == text.size())
            break;
        start = stop + 2;
    }
    return findings;
}
