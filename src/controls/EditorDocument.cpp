// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorDocument.h"

#include "ChangedLines.h"
#include "QtShiftJis.h"
#include "analysis/CountSettings.h"
#include "analysis/InformationPanel.h"
#include "analysis/Saturate.h"
#include "analysis/ShiftJis.h"
#include "analysis/WordCount.h"
#include "shell/TextLines.h"

#include "WrappingLayout.h"
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <bitset>
#include <system_error>
#include <thread>

namespace {

// The byte pairs that decode to a character whose own form is another pair, by lead * 256 +
// trail. Only a line with one of these can come back different from its file.
const std::bitset<0x10000>& ChangingPairs()
{
    static const std::bitset<0x10000> pairs = [] {
        std::bitset<0x10000> table;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!ShiftJis::IsLeadByte(static_cast<unsigned char>(lead)))
                continue;
            for (int trail = 0; trail <= 0xFF; ++trail) {
                const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
                std::string again;
                Cp932::Encode(Cp932::Decode(pair), again);
                table[static_cast<std::size_t>(lead << 8 | trail)] = again != pair;
            }
        }
        return table;
    }();
    return pairs;
}

bool MayChangeOnTheWay(std::string_view line)
{
    const std::bitset<0x10000>& pairs = ChangingPairs();
    for (const ShiftJis::Character& c : ShiftJis::Characters(line))
        if (c.length == 2 && pairs[c.code])
            return true;
    return false;
}

// The bytes of the characters [from, to) of a line held as `bytes`. Each character decodes to one
// unit, or to a byte escape per byte when it has no character.
std::string_view BytesBetween(std::string_view bytes, int from, int to)
{
    std::size_t begin = bytes.size();
    int unit = 0;
    for (const ShiftJis::Character& c : ShiftJis::Characters(bytes)) {
        if (unit >= from && begin == bytes.size())
            begin = c.position;
        if (unit >= to)
            return bytes.substr(begin, c.position - begin);
        unit += static_cast<int>(Cp932::Decode(bytes.substr(c.position, c.length)).size());
    }
    return bytes.substr(begin);
}

// What byte escapes are in the counting form of a text read in `encoding`: the file's bytes of a
// Shift-JIS text, one 〓 per unit of a text in another encoding.
Cp932::Escapes EscapesIn(TextEncoding encoding)
{
    return encoding == TextEncoding::ShiftJis ? Cp932::Escapes::Bytes : Cp932::Escapes::Geta;
}

// The Shift-JIS form of the characters [from, to) of a block.
std::string BlockBytes(const QTextBlock& block, int from, int to, TextEncoding encoding)
{
    std::string bytes;
    if (from == 0 && to >= block.length() - 1) {
        QtShiftJis::EncodeBlock(block, bytes, EscapesIn(encoding));
    } else if (const auto* kept =
                   dynamic_cast<const QtShiftJis::OriginalBytes*>(block.userData())) {
        bytes = BytesBetween(kept->Bytes, from, to);
    } else {
        QtShiftJis::EncodeForCounting(QStringView(block.text()).mid(from, to - from), bytes,
                                      Cp932::LineBreaks::Keep, EscapesIn(encoding));
    }
    return bytes;
}

// The bytes of `text` encoded as a file in `encoding` is: with its mark, if the encoding has one.
std::int64_t EncodedSize(QStringView text, TextEncoding encoding, LineBreak lineBreak,
                         bool endsWithBreak)
{
    std::string bytes;
    EncodeText(QtShiftJis::View(text), encoding, lineBreak, endsWithBreak, bytes);
    return static_cast<std::int64_t>(bytes.size());
}

// The bytes of a line (or part of one) in `encoding`, without the mark.
std::int64_t LineSize(QStringView line, TextEncoding encoding)
{
    return EncodedSize(line, encoding, LineBreak::Lf, true) -
           EncodedSize({}, encoding, LineBreak::Lf, true);
}

bool SameWords(const WordCharacterSet& a, const WordCharacterSet& b)
{
    return a.countDigits == b.countDigits && a.GetCharacterList() == b.GetCharacterList();
}

// The end of the piece of `text` that begins at `from`: about `size` units on, just after a line
// break, so that a piece holds whole lines and a CR LF stays in one piece.
template <class Char>
std::size_t PieceEnd(std::basic_string_view<Char> text, std::size_t from, std::size_t size)
{
    if (size >= text.size() - from)
        return text.size();
    const Char breaks[] = {Char('\r'), Char('\n')};
    const std::size_t at = text.find_first_of(std::basic_string_view<Char>(breaks, 2),
                                              from + std::max<std::size_t>(size, 1) - 1);
    if (at == std::basic_string_view<Char>::npos)
        return text.size();
    return text[at] == Char('\r') && at + 1 < text.size() && text[at + 1] == Char('\n') ? at + 2
                                                                                        : at + 1;
}

// Hands `put` the text in pieces of whole lines, and `progress` the share handed over after each
// piece that leaves more to come.
template <class Char, class Put>
void ForEachPiece(std::basic_string_view<Char> text, std::size_t size,
                  const EditorDocument::LoadProgress& progress, Put put)
{
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = PieceEnd(text, from, size);
        put(text.substr(from, end - from));
        from = end;
        if (progress && from < text.size())
            progress(static_cast<double>(from) / static_cast<double>(text.size()));
    }
}

} // namespace

EditorDocument::EditorDocument(QObject* parent) : QTextDocument(parent)
{
    // The plain-text editor shows only documents with its own layout.
    setDocumentLayout(new WrappingLayout(this));
    connect(this, &QTextDocument::contentsChange, this, &EditorDocument::ContentsChange);
}

void EditorDocument::LoadBytes(std::string_view bytes, const CountOptions& options,
                               const WordCharacterSet& words, const LoadProgress& progress,
                               std::size_t pieceBytes)
{
    const std::string_view text = BeforeNul(bytes);
    const bool undo = BeginLoad();
    const auto ended = qScopeGuard([this, undo] { EndLoad(undo); });
    CountUnder(options, words);
    // A long text is surveyed on a second thread while this one, the only one that may, puts it
    // into the document.
    LineSurvey survey;
    std::jthread surveying;
    if (text.size() > pieceBytes) {
        try {
            surveying = std::jthread([this, text, &survey] { survey = Survey(text); });
        } catch (const std::system_error&) {
            // surveyed below, after the text is in
        }
    }
    std::u16string decoded;
    ForEachPiece(text, pieceBytes, progress,
                 [this, &decoded](std::string_view piece) { AppendLines(piece, decoded); });
    if (surveying.joinable())
        surveying.join();
    else
        survey = Survey(text);
    // A last line without a break gets none: the text shows no empty line after it.
    if (!text.empty() && text.back() != '\n' && text.back() != '\r') {
        QTextCursor end(this);
        end.movePosition(QTextCursor::End);
        end.deletePreviousChar();
        survey.figures.pop_back();
    }
    for (const auto& [number, line] : survey.changing) {
        QTextBlock block = findBlockByNumber(number);
        std::string again;
        QtShiftJis::Encode(block.text(), again);
        if (again != line)
            block.setUserData(new QtShiftJis::OriginalBytes(std::string(line)));
    }
    FSums.Assign(std::move(survey.figures));
    // The lines' sizes in another encoding come from their characters, counted when next asked.
    FCounting = FMeasuredIn == TextEncoding::ShiftJis;
}

// The figures of each line (and of the empty line after the last break), and the lines that may
// not come back from their text as the same bytes.
EditorDocument::LineSurvey EditorDocument::Survey(std::string_view text) const
{
    LineSurvey survey;
    int number = 0;
    TextLines::ForEach(text, [&](const char* start, const char* stop) {
        const std::string_view line(start, static_cast<std::size_t>(stop - start));
        survey.figures.push_back(CountBytes(line));
        if (MayChangeOnTheWay(line))
            survey.changing.emplace_back(number, line);
        ++number;
    });
    survey.figures.push_back(CountBytes({}));
    survey.figures.shrink_to_fit();
    return survey;
}

void EditorDocument::LoadText(std::u16string_view text, const LoadProgress& progress,
                              std::size_t pieceBytes)
{
    const bool undo = BeginLoad();
    const auto ended = qScopeGuard([this, undo] { EndLoad(undo); });
    ForEachPiece(text, std::max<std::size_t>(pieceBytes / 2, 1), progress,
                 [this](std::u16string_view piece) { AppendAtEnd(piece); });
}

// The text goes in as setPlainText puts it: without undo, and without the edits being followed.
// However the loading ends (a failure half-way included), EndLoad follows: the edits are followed
// again and undo is back, and the figures are counted afresh when next asked.
bool EditorDocument::BeginLoad()
{
    const bool undo = isUndoRedoEnabled();
    FLoading = true;
    FCounting = false;
    setUndoRedoEnabled(false);
    clear();
    return undo;
}

void EditorDocument::EndLoad(bool undo)
{
    setUndoRedoEnabled(undo);
    // Emptying the document tells of a modification and then clears the flag without a word; a
    // text that puts nothing in after it (an empty file) would leave the tab marked modified.
    const bool told = isModified();
    setModified(false);
    if (!told)
        emit modificationChanged(false);
    FLoading = false;
}

// Puts lines, each ending in a break, before the empty last line. The editor lays out only the
// lines it shows.
void EditorDocument::AppendAtEnd(std::u16string_view lines)
{
    QTextCursor end(this);
    end.movePosition(QTextCursor::End);
    end.insertText(QString::fromRawData(reinterpret_cast<const QChar*>(lines.data()),
                                        static_cast<qsizetype>(lines.size())));
}

// Puts whole lines of Shift-JIS in at the end, decoded into `decoded` (a buffer kept from piece to
// piece).
void EditorDocument::AppendLines(std::string_view lines, std::u16string& decoded)
{
    decoded.clear();
    TextLines::ForEach(lines, [&decoded](const char* start, const char* stop) {
        Cp932::Decode({start, static_cast<std::size_t>(stop - start)}, decoded);
        decoded += u'\n';
    });
    AppendAtEnd(decoded);
}

std::string EditorDocument::Text(bool* complete) const
{
    std::string text;
    text.reserve(static_cast<std::size_t>(characterCount()) * 2);
    bool whole = true;
    for (QTextBlock block = firstBlock(); block.isValid(); block = block.next()) {
        if (block != firstBlock())
            text += "\r\n";
        whole &= QtShiftJis::EncodeBlock(block, text, EscapesIn(FMeasuredIn));
    }
    if (complete)
        *complete = whole;
    return text;
}

std::string EditorDocument::SelectedText(const QTextCursor& cursor) const
{
    std::string text;
    if (!cursor.hasSelection())
        return text;
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (block.position() > start)
            text += "\r\n";
        text += BlockBytes(block, std::max(0, start - block.position()), end - block.position(),
                           FMeasuredIn);
    }
    return text;
}

// Drops the file bytes of every block an edit touched: they no longer hold its text.
void EditorDocument::DropKeptBytes(const QTextBlock& first, const QTextBlock& last)
{
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        if (block.userData())
            block.setUserData(nullptr);
        if (block == last)
            break;
    }
}

void EditorDocument::ContentsChange(int position, int, int added)
{
    if (FLoading)
        return;
    const ChangedLines change = ChangedLines::Of(*this, position, added, FSums.Count());
    if (!change.first.isValid())
        return;
    DropKeptBytes(change.first, change.last);
    if (!FCounting)
        return;
    if (!change.fits) {
        FCounting = false; // counted afresh when next asked
        return;
    }
    std::vector<LineFigures> figures;
    for (QTextBlock block = change.first; block.isValid(); block = block.next()) {
        figures.push_back(CountPart(block, 0, block.length()));
        if (block == change.last)
            break;
    }
    FSums.Replace(static_cast<std::size_t>(change.firstNumber),
                  static_cast<std::size_t>(change.replaced), std::move(figures));
}

// A block's figures are those of its Shift-JIS bytes alone.
LineFigures EditorDocument::CountBytes(std::string_view line) const
{
    return CountLine(line, FOptions, *FLineWords);
}

LineFigures EditorDocument::CountPart(const QTextBlock& block, int from, int to) const
{
    LineFigures figures = CountBytes(BlockBytes(block, from, to, FMeasuredIn));
    if (FMeasuredIn != TextEncoding::ShiftJis)
        figures.encodedBytes =
            SaturateToInt32(LineSize(QStringView(block.text()).mid(from, to - from), FMeasuredIn));
    return figures;
}

void EditorDocument::CountUnder(const CountOptions& options, const WordCharacterSet& words)
{
    FOptions = options;
    FWords = words;
    FLineWords = std::make_unique<LineWordCounter>(words);
}

void EditorDocument::CountAnew(const CountOptions& options, const WordCharacterSet& words)
{
    CountUnder(options, words);
    std::vector<LineFigures> figures;
    figures.reserve(static_cast<std::size_t>(blockCount()));
    for (QTextBlock block = firstBlock(); block.isValid(); block = block.next())
        figures.push_back(CountPart(block, 0, block.length()));
    FSums.Assign(std::move(figures));
    FCounting = true;
}

TextStatistics EditorDocument::Statistics(const CountOptions& options,
                                          const WordCharacterSet& words)
{
    if (!FCounting || !SameCharacterCounting(options, FOptions) || !SameWords(words, FWords))
        CountAnew(options, words);
    const TextSpan span = FSums.Range(0, FSums.Count());
    // Where a NUL ends the text only the whole text says what is left.
    return span.hasNul ? CountTextAndWords(Text(), options, words) : span.Statistics();
}

TextStatistics EditorDocument::SelectionStatistics(const QTextCursor& cursor,
                                                   const CountOptions& options,
                                                   const WordCharacterSet& words)
{
    if (!FCounting || !SameCharacterCounting(options, FOptions) || !SameWords(words, FWords))
        CountAnew(options, words);
    const TextSpan span = SelectionSpan(cursor);
    return span.hasNul ? CountTextAndWords(SelectedText(cursor), options, words)
                       : span.Statistics();
}

TextStatistics EditorDocument::LinesStatistics(int first, int end, const CountOptions& options,
                                               const WordCharacterSet& words)
{
    if (!FCounting || !SameCharacterCounting(options, FOptions) || !SameWords(words, FWords))
        CountAnew(options, words);
    const auto count = static_cast<int>(FSums.Count());
    first = std::clamp(first, 0, count);
    end = std::clamp(end, first, count);
    if (first == end)
        return {};
    const TextSpan span =
        FSums.Range(static_cast<std::size_t>(first), static_cast<std::size_t>(end));
    if (!span.hasNul)
        return span.Statistics();
    std::string text;
    for (QTextBlock block = findBlockByNumber(first); block.isValid() && block.blockNumber() < end;
         block = block.next()) {
        if (block.blockNumber() > first)
            text += "\r\n";
        QtShiftJis::EncodeBlock(block, text);
    }
    return CountTextAndWords(text, options, words);
}

TextSpan EditorDocument::SelectionSpan(const QTextCursor& cursor) const
{
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const QTextBlock first = findBlock(start);
    const QTextBlock last = findBlock(end);
    TextSpan span;
    if (first == last) {
        span = TextSpan::OfLine(CountPart(first, start - first.position(), end - first.position()));
    } else {
        // Whole blocks from the sums; only the two ends are counted here.
        span = TextSpan::OfLine(CountPart(first, start - first.position(), first.length()));
        const auto inner = static_cast<std::size_t>(first.blockNumber() + 1);
        const auto outer = static_cast<std::size_t>(last.blockNumber());
        if (inner < outer)
            span = TextSpan::Join(span, FSums.Range(inner, outer));
        span = TextSpan::Join(span, TextSpan::OfLine(CountPart(last, 0, end - last.position())));
    }
    return span;
}

void EditorDocument::MeasureSizesIn(TextEncoding encoding)
{
    if (encoding == FMeasuredIn)
        return;
    FMeasuredIn = encoding;
    FCounting = false;
}

void EditorDocument::AppendCountingForm(QStringView part, std::string& out) const
{
    QtShiftJis::EncodeForCounting(part, out, Cp932::LineBreaks::Keep, EscapesIn(FMeasuredIn));
}

// Sizes in these encodings add up line by line: none carries a state from one character to the
// next, and a line break always stands between two lines.
std::int64_t EditorDocument::SizeIn(TextEncoding encoding, LineBreak lineBreak, bool endsWithBreak,
                                    const QTextCursor* selection)
{
    MeasureSizesIn(encoding);
    if (!FCounting)
        CountAnew(FOptions, FWords);
    const TextSpan span = selection ? SelectionSpan(*selection) : FSums.Range(0, FSums.Count());
    const std::int64_t mark = EncodedSize({}, encoding, lineBreak, true);
    const std::int64_t lineBreakSize = EncodedSize(u"\n", encoding, lineBreak, true) - mark;
    // The lines of a Shift-JIS text are their bytes, which the counts measure with CR LF.
    const std::int64_t lines =
        encoding == TextEncoding::ShiftJis ? span.bytes - 2 * span.breaks : span.encodedBytes;
    std::int64_t size = lines + span.breaks * lineBreakSize;
    if (selection)
        return size;
    // A file without a final break keeps none: the empty line after the last break goes.
    if (!endsWithBreak && span.breaks > 0 && lastBlock().length() == 1)
        size -= lineBreakSize;
    return size + mark;
}
