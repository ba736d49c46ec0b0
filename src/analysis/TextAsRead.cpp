// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextAsRead.h"

#include "ShiftJis.h"

#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t OpenReading = 0x8173;  // 《
constexpr std::uint32_t CloseReading = 0x8174; // 》
constexpr std::uint32_t OpenBracket = 0x816D;  // ［
constexpr std::uint32_t CloseBracket = 0x816E; // ］
constexpr std::uint32_t Sharp = 0x8194;        // ＃
constexpr std::uint32_t BaseMark = 0x8162;     // ｜
constexpr unsigned char HalfBaseMark = 0x7C;   // |
constexpr std::size_t None = std::string_view::npos;

// Every mark begins with 《 ［ ｜ (lead byte 0x81, trail 0x73 0x6D 0x62) or with |. A pass looks
// for the starts of its own marks only: a note begins with ［, a reading or its base with the
// others.
struct MarkStarts
{
    unsigned char t1, t2, t3; // trail bytes after 0x81
    bool bar;                 // the half-width |
};
constexpr MarkStarts AnyMark{0x73, 0x6D, 0x62, true};
constexpr MarkStarts NoteMark{0x6D, 0x6D, 0x6D, false};
constexpr MarkStarts ReadingMark{0x73, 0x62, 0x62, true};

inline bool IsMarkTrail(unsigned char b, const MarkStarts& starts) noexcept
{
    return b == starts.t1 || b == starts.t2 || b == starts.t3;
}

// The first position at or after `from` where a byte pair or byte looks like the start of a mark,
// before any check that it starts a character. Most of a novel has none, so this skims.
std::size_t NextCandidate(std::string_view text, std::size_t from,
                          const MarkStarts& starts) noexcept
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t p = from;
#if defined(__SSE2__)
    const __m128i lead = _mm_set1_epi8(static_cast<char>(0x81));
    const __m128i bar = _mm_set1_epi8(static_cast<char>(HalfBaseMark));
    // All ones where a | counts, none where it does not.
    const __m128i barWanted = _mm_set1_epi8(starts.bar ? static_cast<char>(0xFF) : 0);
    const __m128i t1 = _mm_set1_epi8(static_cast<char>(starts.t1));
    const __m128i t2 = _mm_set1_epi8(static_cast<char>(starts.t2));
    const __m128i t3 = _mm_set1_epi8(static_cast<char>(starts.t3));
    while (p + 17 <= size) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + p));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + p + 1));
        const __m128i trail =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(next, t1), _mm_cmpeq_epi8(next, t2)),
                         _mm_cmpeq_epi8(next, t3));
        const __m128i hit = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(here, lead), trail),
                                         _mm_and_si128(_mm_cmpeq_epi8(here, bar), barWanted));
        const int mask = _mm_movemask_epi8(hit);
        if (mask != 0)
            return p + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        p += 16;
    }
#endif
    for (; p < size; ++p) {
        if (starts.bar && bytes[p] == HalfBaseMark)
            return p;
        if (bytes[p] == 0x81 && p + 1 < size && IsMarkTrail(bytes[p + 1], starts))
            return p;
    }
    return None;
}

// The next character at or after `from` that may begin a mark; `known` is a character boundary
// at or before `from` and moves forward with the scan.
std::size_t NextMark(std::string_view text, std::size_t from, std::size_t& known,
                     const MarkStarts& starts = AnyMark) noexcept
{
    for (std::size_t p = NextCandidate(text, from, starts); p != None;
         p = NextCandidate(text, p + 1, starts)) {
        const bool boundary = ShiftJis::IsCharacterBoundaryFrom(text, known, p);
        known = boundary ? p : p + 1;
        if (boundary)
            return p;
    }
    return None;
}

// The next mark of one kind at or after a position.
class MarkFinder
{
public:
    MarkFinder(std::string_view text, const MarkStarts& kind) : FText(text), FKind(kind) {}

    std::size_t Next(std::size_t from) const noexcept
    {
        std::size_t known = from; // every position a pass goes on from is a character start
        return NextMark(FText, from, known, FKind);
    }

private:
    std::string_view FText;
    MarkStarts FKind;
};

std::uint32_t CodeAt(std::string_view text, std::size_t position) noexcept
{
    return position < text.size() ? ShiftJis::CharacterAt(text, position).code : 0;
}

bool IsLineBreak(const ShiftJis::Character& c) noexcept
{
    return c.IsSingleByte(ShiftJis::CR) || c.IsSingleByte(ShiftJis::LF);
}

// Where a search along one line ended: at the character found, or (found false) at the line
// break or the limit.
struct Found
{
    bool found = false;
    std::size_t position = 0;
};

// Walks from `from` to the first character that `match` accepts, stopping at a line break or at
// `limit`.
template <class Match>
Found FindOnLine(std::string_view text, std::size_t from, std::size_t limit, Match match) noexcept
{
    const std::size_t end = limit < text.size() ? limit : text.size();
    std::size_t p = from;
    while (p < end) {
        const ShiftJis::Character c = ShiftJis::CharacterAt(text, p);
        if (IsLineBreak(c))
            return {false, p};
        if (match(c, p))
            return {true, p};
        p += c.length;
    }
    return {false, end};
}

// Remembers a search for a closing mark that failed, so that the many openers of one line that
// has no closing mark cost one walk to the line's end, not one each.
class FailedSearch
{
public:
    bool Covers(std::size_t from, std::size_t limit) const noexcept
    {
        return limit == FLimit && from >= FFrom && from < FStop;
    }
    void Remember(std::size_t from, std::size_t stop, std::size_t limit) noexcept
    {
        FFrom = from;
        FStop = stop;
        FLimit = limit;
    }

private:
    std::size_t FFrom = 0;
    std::size_t FStop = 0;
    std::size_t FLimit = None;
};

// The marks one pass removes: the editorial notes first, then in the text without them the ruby
// readings and their base marks, so that a mark inside a note never pairs with one outside it.
enum class Marks
{
    Notes,
    Readings
};

class Pass
{
public:
    Pass(std::string_view text, Marks marks)
        : FText(text), FMarks(marks), FFinder(text, marks == Marks::Notes ? NoteMark : ReadingMark)
    {
    }

    // The pieces one pass removes, in order; `residual` tells whether a mark character was kept
    // or two characters were joined into one, so that another pass might remove more.
    std::vector<TextPiece> Run(bool& residual);
    // A removal left a ［ just before a ＃: a new note for the pass over notes.
    bool JoinedNote() const noexcept { return FJoinedNote; }

private:
    bool KeptEndsWithCR(std::size_t position) const noexcept;
    bool Remove(std::size_t from, std::size_t to);
    Found FindCode(std::size_t from, std::uint32_t code, FailedSearch& failed);
    Found FindDoubleClose(std::size_t from);
    Found ReadingClose(std::size_t position);
    std::size_t Limit() const noexcept { return FEmphasisClose; }

    std::size_t AtReading(std::size_t p);
    std::size_t AtBracket(std::size_t p);
    std::size_t RemoveThrough(std::size_t p, const Found& close);
    std::size_t AtBaseMark(std::size_t p, std::size_t length);

    std::string_view FText;
    Marks FMarks;
    MarkFinder FFinder;
    std::vector<TextPiece> FPieces;
    std::size_t FCopied = 0;           // the end of the last piece: the text is kept from here
    std::size_t FKeptBytes = 0;        // bytes kept before FCopied
    char FKeptTail[2] = {0, 0};        // the last two of them
    bool FKeptEndsWithCR = false;      // the last character kept before FCopied is a CR
    std::size_t FEmphasisClose = None; // where the 》》 of an open 《《 stands
    bool FResidual = false;
    bool FJoinedNote = false;
    FailedSearch FNoCloseReading;
    FailedSearch FNoDoubleClose;
    FailedSearch FNoCloseBracket;
};

// True when the text kept so far, up to `position`, ends in a bare CR.
bool Pass::KeptEndsWithCR(std::size_t position) const noexcept
{
    if (position > FCopied)
        return FText[position - 1] == '\r' &&
               ShiftJis::IsCharacterBoundaryFrom(FText, FCopied, position - 1);
    return FKeptEndsWithCR;
}

bool Pass::Remove(std::size_t from, std::size_t to)
{
    // A mark alone between a CR and an LF stays: without it the two line breaks would read as
    // one CR LF.
    const bool keptCR = KeptEndsWithCR(from);
    if (to < FText.size() && FText[to] == '\n' && keptCR) {
        FResidual = true;
        return false;
    }
    const std::size_t kept = from - FCopied;
    if (kept >= 2)
        FKeptTail[0] = FText[from - 2];
    else if (kept == 1)
        FKeptTail[0] = FKeptTail[1];
    if (kept >= 1)
        FKeptTail[1] = FText[from - 1];
    FKeptBytes += kept;
    FKeptEndsWithCR = keptCR;
    FPieces.push_back({from, to});
    FCopied = to;
    // A ［ kept before the cut and a ＃ after it would make a new note.
    if (FKeptBytes >= 2 && FKeptTail[0] == '\x81' && FKeptTail[1] == '\x6D' &&
        CodeAt(FText, to) == Sharp)
        FResidual = FJoinedNote = true;
    return true;
}

Found Pass::FindCode(std::size_t from, std::uint32_t code, FailedSearch& failed)
{
    if (failed.Covers(from, Limit()))
        return {};
    const Found found =
        FindOnLine(FText, from, Limit(), [code](const ShiftJis::Character& c, std::size_t) {
            return c.doubleByte && c.code == code;
        });
    if (!found.found)
        failed.Remember(from, found.position, Limit());
    return found;
}

Found Pass::FindDoubleClose(std::size_t from)
{
    if (FNoDoubleClose.Covers(from, Limit()))
        return {};
    const Found found =
        FindOnLine(FText, from, Limit(), [this](const ShiftJis::Character& c, std::size_t p) {
            return c.doubleByte && c.code == CloseReading && CodeAt(FText, p + 2) == CloseReading;
        });
    if (!found.found)
        FNoDoubleClose.Remember(from, found.position, Limit());
    return found;
}

// Where the 》 of the reading that the 《 at `position` opens stands; not found when the 《 begins
// a 《《 or has no 》 on its line.
Found Pass::ReadingClose(std::size_t position)
{
    if (CodeAt(FText, position + 2) == OpenReading && Limit() == None &&
        FindDoubleClose(position + 4).found)
        return {};
    return FindCode(position + 2, CloseReading, FNoCloseReading);
}

std::size_t Pass::AtReading(std::size_t p)
{
    if (Limit() == None && CodeAt(FText, p + 2) == OpenReading) {
        const Found close = FindDoubleClose(p + 4);
        if (close.found && Remove(p, p + 4)) {
            FEmphasisClose = close.position;
            return p + 4;
        }
    }
    return RemoveThrough(p, FindCode(p + 2, CloseReading, FNoCloseReading));
}

std::size_t Pass::AtBracket(std::size_t p)
{
    if (CodeAt(FText, p + 2) != Sharp) {
        FResidual = true;
        return p + 2;
    }
    return RemoveThrough(p, FindCode(p + 4, CloseBracket, FNoCloseBracket));
}

// The mark opened at `p` goes up to and with its closing mark; without one it stays as text.
std::size_t Pass::RemoveThrough(std::size_t p, const Found& close)
{
    if (!close.found) {
        FResidual = true;
        return p + 2;
    }
    Remove(p, close.position + 2);
    return close.position + 2;
}

// A ｜ or | marks the base of a ruby when the next mark of its line is a 《 that opens a reading;
// then the mark and the reading go together.
std::size_t Pass::AtBaseMark(std::size_t p, std::size_t length)
{
    const Found next =
        FindOnLine(FText, p + length, Limit(), [](const ShiftJis::Character& c, std::size_t) {
            return (c.doubleByte && (c.code == OpenReading || c.code == BaseMark)) ||
                   c.IsSingleByte(HalfBaseMark);
        });
    if (next.found && CodeAt(FText, next.position) == OpenReading) {
        const Found close = ReadingClose(next.position);
        if (close.found) {
            // This pass goes on after the reading: a ［ in the base is read in the next one.
            if (FindOnLine(FText, p + length, next.position,
                           [](const ShiftJis::Character& c, std::size_t) {
                               return c.doubleByte && c.code == OpenBracket;
                           })
                    .found)
                FResidual = true;
            Remove(p, p + length);
            if (Remove(next.position, close.position + 2))
                return close.position + 2;
            return next.position;
        }
    }
    FResidual = true;
    return p + length;
}

std::vector<TextPiece> Pass::Run(bool& residual)
{
    std::size_t position = 0;
    while (true) {
        std::size_t p = FFinder.Next(position);
        if (FEmphasisClose != None && (p == None || p >= FEmphasisClose)) {
            Remove(FEmphasisClose, FEmphasisClose + 4);
            position = FEmphasisClose + 4;
            FEmphasisClose = None;
            continue;
        }
        if (p == None)
            break;
        const ShiftJis::Character c = ShiftJis::CharacterAt(FText, p);
        const bool readings = FMarks == Marks::Readings;
        if (readings && c.IsSingleByte(HalfBaseMark))
            position = AtBaseMark(p, 1);
        else if (readings && c.code == BaseMark)
            position = AtBaseMark(p, 2);
        else if (readings && c.code == OpenReading)
            position = AtReading(p);
        else if (!readings && c.code == OpenBracket)
            position = AtBracket(p);
        else
            position = p + c.length;
    }
    residual = FResidual;
    return std::move(FPieces);
}

} // namespace

bool MayHoldRubyOrNotes(std::string_view text) noexcept
{
    std::size_t known = 0;
    return NextMark(text, 0, known) != None;
}

namespace {

// The text between passes: the text a pass read and the pieces it took out, made into the next
// text only when another pass reads it. Each pass's pieces are handed to `takenOut` first.
class PassedText
{
public:
    PassedText(std::string_view text, const PiecesTakenOut* takenOut)
        : FView(text), FTakenOut(takenOut)
    {
    }

    std::string_view Text()
    {
        if (!FPending.empty()) {
            FOwned = Release();
            FView = FOwned;
            FPending.clear();
        }
        return FView;
    }

    void Take(std::vector<TextPiece> pieces)
    {
        Text();
        if (FTakenOut != nullptr)
            (*FTakenOut)(FView, pieces);
        FPending = std::move(pieces);
        for (const TextPiece& piece : FPending)
            FRemovedBytes += piece.to - piece.from;
    }

    // Bytes taken out by every pass so far.
    std::size_t RemovedBytes() const noexcept { return FRemovedBytes; }

    std::string Release() const
    {
        std::string out;
        out.reserve(FView.size());
        std::size_t kept = 0;
        for (const TextPiece& piece : FPending) {
            out.append(FView.data() + kept, piece.from - kept);
            kept = piece.to;
        }
        out.append(FView.data() + kept, FView.size() - kept);
        return out;
    }

private:
    std::string_view FView;
    std::string FOwned;
    std::vector<TextPiece> FPending;
    std::size_t FRemovedBytes = 0;
    const PiecesTakenOut* FTakenOut;
};

// Removing a mark may join characters into a new one (a kept ［ before a ＃); passes repeat until
// nothing more of their kind goes. `joinedNote` tells whether some pass made a new note.
void RemoveAll(PassedText& text, Marks marks, bool& joinedNote)
{
    joinedNote = false;
    const MarkStarts& kind = marks == Marks::Notes ? NoteMark : ReadingMark;
    if (MarkFinder(text.Text(), kind).Next(0) == None)
        return; // none of these marks: the text needs no pass of its own
    bool residual = true;
    while (residual) {
        Pass pass(text.Text(), marks);
        std::vector<TextPiece> pieces = pass.Run(residual);
        joinedNote = joinedNote || pass.JoinedNote();
        if (pieces.empty())
            break;
        text.Take(std::move(pieces));
    }
}

// A reading taken out may leave a new note behind (［《よみ》＃…］): then both kinds go again,
// until the text reads the same when filtered again.
void RemoveEveryMark(PassedText& text)
{
    bool joinedNote = false;
    RemoveAll(text, Marks::Notes, joinedNote);
    for (;;) {
        RemoveAll(text, Marks::Readings, joinedNote);
        if (!joinedNote)
            return;
        const std::size_t removed = text.RemovedBytes();
        RemoveAll(text, Marks::Notes, joinedNote);
        if (text.RemovedBytes() == removed)
            return;
    }
}

} // namespace

std::string TextAsRead(std::string_view text)
{
    if (!MayHoldRubyOrNotes(text))
        return std::string(text);
    PassedText passed(text, nullptr);
    RemoveEveryMark(passed);
    return passed.Release();
}

void TakeOutRubyAndNotes(std::string_view text, const PiecesTakenOut& takenOut)
{
    PassedText passed(text, &takenOut);
    RemoveEveryMark(passed);
}
