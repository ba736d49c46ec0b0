#include "EditorDocument.h"

#include "QtShiftJis.h"
#include "analysis/InformationPanel.h"
#include "analysis/ShiftJis.h"
#include "analysis/WordCount.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>

#include <array>

namespace {

// Lead bytes of the byte pairs that decode to a character whose own form is another pair. Only a
// line with one of these bytes can come back different from its file.
const std::array<bool, 256>& AmbiguousLeads()
{
    static const std::array<bool, 256> leads = [] {
        std::array<bool, 256> table{};
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            for (int trail = 0x40; trail <= 0xFC && !table[lead]; ++trail) {
                const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
                std::string again;
                Cp932::Encode(Cp932::Decode(pair), again);
                table[lead] = again != pair;
            }
        }
        return table;
    }();
    return leads;
}

bool MayChangeOnTheWay(std::string_view line)
{
    const std::array<bool, 256>& leads = AmbiguousLeads();
    for (const char byte : line)
        if (leads[static_cast<unsigned char>(byte)])
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

// The Shift-JIS form of the characters [from, to) of a block.
std::string BlockBytes(const QTextBlock& block, int from, int to)
{
    std::string bytes;
    if (from == 0 && to >= block.length() - 1) {
        QtShiftJis::EncodeBlock(block, bytes);
    } else if (const auto* kept =
                   dynamic_cast<const QtShiftJis::OriginalBytes*>(block.userData())) {
        bytes = BytesBetween(kept->Bytes, from, to);
    } else {
        QtShiftJis::EncodeForCounting(QStringView(block.text()).mid(from, to - from), bytes);
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

bool SameOptions(const CountOptions& a, const CountOptions& b)
{
    return a.countSpace == b.countSpace && a.countTab == b.countTab &&
           a.countDoubleByteSpace == b.countDoubleByteSpace && a.excludeRuby == b.excludeRuby;
}

} // namespace

EditorDocument::EditorDocument(QObject* parent) : QTextDocument(parent)
{
    // The plain-text editor shows only documents with its own layout.
    setDocumentLayout(new QPlainTextDocumentLayout(this));
    connect(this, &QTextDocument::contentsChange, this, &EditorDocument::ContentsChange);
}

void EditorDocument::LoadLines(const std::vector<std::string>& lines, const CountOptions& options,
                               const WordCharacterSet& words)
{
    std::u16string text;
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 1;
    text.reserve(size);
    for (const std::string& line : lines) {
        Cp932::Decode(line, text);
        text += u'\n';
    }
    FCounting = false;
    setPlainText(QString::fromRawData(reinterpret_cast<const QChar*>(text.data()),
                                      static_cast<qsizetype>(text.size())));
    std::u16string().swap(text);
    QTextBlock block = firstBlock();
    for (const std::string& line : lines) {
        if (MayChangeOnTheWay(line)) {
            std::string again;
            QtShiftJis::Encode(block.text(), again);
            if (again != line)
                block.setUserData(new QtShiftJis::OriginalBytes(line));
        }
        block = block.next();
    }
    setModified(false);
    CountUnder(options, words);
    std::vector<LineFigures> figures;
    figures.reserve(lines.size() + 1);
    for (const std::string& line : lines)
        figures.push_back(CountBytes(line));
    figures.push_back(CountBytes({})); // the empty line after the last break
    FSums.Assign(std::move(figures));
    // The lines' sizes in another encoding come from their characters, counted when next asked.
    FCounting = FMeasuredIn == TextEncoding::ShiftJis;
}

std::string EditorDocument::Text(bool* complete) const
{
    std::string text;
    text.reserve(static_cast<std::size_t>(characterCount()) * 2);
    bool whole = true;
    for (QTextBlock block = firstBlock(); block.isValid(); block = block.next()) {
        if (block != firstBlock())
            text += "\r\n";
        whole &= QtShiftJis::EncodeBlock(block, text);
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
        text += BlockBytes(block, std::max(0, start - block.position()), end - block.position());
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
    const QTextBlock first = findBlock(position);
    QTextBlock last = findBlock(position + added);
    if (!last.isValid())
        last = lastBlock();
    if (!first.isValid())
        return;
    DropKeptBytes(first, last);
    if (!FCounting)
        return;
    // The blocks first..last stand where the blocks first..oldLast stood before the edit.
    const int firstNumber = first.blockNumber();
    const int lastNumber = last.blockNumber();
    const int oldLast = lastNumber - (blockCount() - static_cast<int>(FSums.Count()));
    if (oldLast < firstNumber - 1 || oldLast >= static_cast<int>(FSums.Count())) {
        FCounting = false; // counted afresh when next asked
        return;
    }
    std::vector<LineFigures> figures;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        figures.push_back(CountPart(block, 0, block.length()));
        if (block == last)
            break;
    }
    FSums.Replace(static_cast<std::size_t>(firstNumber),
                  static_cast<std::size_t>(oldLast - firstNumber + 1), std::move(figures));
}

// A block's figures are those of its Shift-JIS bytes alone.
LineFigures EditorDocument::CountBytes(std::string_view line) const
{
    return CountLine(line, FOptions, *FLineWords);
}

LineFigures EditorDocument::CountPart(const QTextBlock& block, int from, int to) const
{
    LineFigures figures = CountBytes(BlockBytes(block, from, to));
    if (FMeasuredIn != TextEncoding::ShiftJis)
        figures.encodedBytes =
            LineSize(QStringView(block.text()).mid(from, to - from), FMeasuredIn);
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
    if (!FCounting || !SameOptions(options, FOptions) || !SameWords(words, FWords))
        CountAnew(options, words);
    const TextSpan span = FSums.Range(0, FSums.Count());
    // Where a NUL ends the text only the whole text says what is left.
    return span.hasNul ? CountTextAndWords(Text(), options, words) : span.Statistics();
}

TextStatistics EditorDocument::SelectionStatistics(const QTextCursor& cursor,
                                                   const CountOptions& options,
                                                   const WordCharacterSet& words)
{
    if (!FCounting || !SameOptions(options, FOptions) || !SameWords(words, FWords))
        CountAnew(options, words);
    const TextSpan span = SelectionSpan(cursor);
    return span.hasNul ? CountTextAndWords(SelectedText(cursor), options, words)
                       : span.Statistics();
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

// Sizes in these encodings add up line by line: none carries a state from one character to the
// next, and a line break always stands between two lines.
std::int64_t EditorDocument::SizeIn(TextEncoding encoding, LineBreak lineBreak, bool endsWithBreak,
                                    const QTextCursor* selection)
{
    if (encoding != FMeasuredIn) {
        FMeasuredIn = encoding;
        FCounting = false;
    }
    if (!FCounting)
        CountAnew(FOptions, FWords);
    if (encoding == TextEncoding::ShiftJis)
        return 0;
    const TextSpan span = selection ? SelectionSpan(*selection) : FSums.Range(0, FSums.Count());
    const std::int64_t mark = EncodedSize({}, encoding, lineBreak, true);
    const std::int64_t lineBreakSize = EncodedSize(u"\n", encoding, lineBreak, true) - mark;
    std::int64_t size = span.encodedBytes + span.breaks * lineBreakSize;
    if (selection)
        return size;
    // A file without a final break keeps none: the empty line after the last break goes.
    if (!endsWithBreak && span.breaks > 0 && lastBlock().length() == 1)
        size -= lineBreakSize;
    return size + mark;
}
