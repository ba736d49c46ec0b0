#pragma once
// The text of one tab as the editor holds it: a QTextDocument whose blocks are the logical lines.
// Lines opened from a file keep their file bytes while they stay unchanged, so that saving,
// counting and the census see the file's own byte pairs. The figures of the information panel are
// kept per line and follow each edit, so that a key costs the same in a short story and in a long
// novel.

#include "analysis/LineFigures.h"
#include "analysis/WordCharacterSet.h"
#include "documents/Document.h"

#include <QTextDocument>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QTextCursor;

class EditorDocument : public QTextDocument, public DocumentText
{
    Q_OBJECT

public:
    explicit EditorDocument(QObject* parent = nullptr);

    // The lines of a Shift-JIS file (cut by the line rule), each followed by a line break; nothing
    // to undo, unmodified. The figures are counted from the lines as they are read.
    void LoadLines(const std::vector<std::string>& lines, const CountOptions& options,
                   const WordCharacterSet& words);

    std::string Text(bool* complete = nullptr) const override;
    bool Modified() const override { return isModified(); }
    void SetModified(bool value) override { setModified(value); }

    // The selected text as Shift-JIS with CR LF line breaks.
    std::string SelectedText(const QTextCursor& cursor) const;

    // Characters, logical lines, bytes and words of the whole text and of a selection, as
    // CountText and CountWords give them for Text() and SelectedText().
    TextStatistics Statistics(const CountOptions& options, const WordCharacterSet& words);
    TextStatistics SelectionStatistics(const QTextCursor& cursor, const CountOptions& options,
                                       const WordCharacterSet& words);

    // The bytes of the text saved in `encoding` (not Shift-JIS) with `lineBreak`, the final break
    // dropped unless `endsWithBreak`, or of the selection of `selection` (no mark, every break).
    // Each line's size is kept with its figures and follows the edits, so that it costs the same
    // for every length of text.
    std::int64_t SizeIn(TextEncoding encoding, LineBreak lineBreak, bool endsWithBreak,
                        const QTextCursor* selection = nullptr);

private:
    void ContentsChange(int position, int removed, int added);
    void DropKeptBytes(const QTextBlock& first, const QTextBlock& last);
    void CountUnder(const CountOptions& options, const WordCharacterSet& words);
    void CountAnew(const CountOptions& options, const WordCharacterSet& words);
    LineFigures CountBytes(std::string_view line) const;
    LineFigures CountPart(const QTextBlock& block, int from, int to) const;
    TextSpan SelectionSpan(const QTextCursor& cursor) const;

    bool FCounting = false; // FSums follows the text under FOptions and FWords
    CountOptions FOptions;
    WordCharacterSet FWords;
    std::unique_ptr<LineWordCounter> FLineWords;       // under FWords
    TextEncoding FMeasuredIn = TextEncoding::ShiftJis; // the lines' encodedBytes; none for this
    LineSums FSums;
};
