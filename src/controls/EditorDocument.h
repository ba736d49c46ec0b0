// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of one tab as the editor holds it: a QTextDocument whose blocks are the logical lines.
// Lines opened from a file keep their file bytes while they stay unchanged, so that saving,
// counting and the census see the file's own byte pairs. The figures of the information panel are
// kept per line and follow each edit, so that a key costs the same in a short story and in a long
// novel.

#include "analysis/LineFigures.h"
#include "analysis/WordCharacterSet.h"
#include "documents/Document.h"

#include <QStringView>
#include <QTextDocument>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QTextCursor;

class EditorDocument : public QTextDocument, public DocumentText
{
    Q_OBJECT

public:
    explicit EditorDocument(QObject* parent = nullptr);

    // Told the share of the text put in so far, between the pieces of a long load.
    using LoadProgress = std::function<void(double)>;
    // A file larger than one piece goes into the text in pieces of about this size, its progress
    // told between them; a smaller one goes in at once.
    static constexpr std::size_t LoadPieceBytes = std::size_t{1} << 20;

    // The bytes of a Shift-JIS file, cut into lines by the line rule (nothing from a NUL on), each
    // line but a last one without a break followed by a line break; nothing to undo, unmodified.
    // The lines go in by pieces of whole lines, each counted and checked for bytes to keep as it
    // goes in, so that no other copy of the whole text is made.
    void LoadBytes(std::string_view bytes, const CountOptions& options,
                   const WordCharacterSet& words, const LoadProgress& progress = {},
                   std::size_t pieceBytes = LoadPieceBytes);
    // A text decoded from a file of another encoding, its lines ending in LF; in pieces as
    // LoadBytes. Counted when first asked.
    void LoadText(std::u16string_view text, const LoadProgress& progress = {},
                  std::size_t pieceBytes = LoadPieceBytes);

    // A load that fails half-way (a `progress` that throws, memory that runs out) leaves the part
    // put in so far, its edits followed again.
    // The text is going in (LoadBytes, LoadText): its changes are no edits.
    bool Loading() const noexcept { return FLoading; }

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
    // The same of the lines [first, end) joined by CR LF, from the lines' sums.
    TextStatistics LinesStatistics(int first, int end, const CountOptions& options,
                                   const WordCharacterSet& words);

    // The bytes of the text saved in `encoding` with `lineBreak`, the final break
    // dropped unless `endsWithBreak`, or of the selection of `selection` (no mark, every break).
    // Each line's size is kept with its figures and follows the edits, so that it costs the same
    // for every length of text.
    std::int64_t SizeIn(TextEncoding encoding, LineBreak lineBreak, bool endsWithBreak,
                        const QTextCursor* selection = nullptr);
    // Keeps the lines' sizes in `encoding` from the next count on (none for Shift-JIS): told
    // before a text is loaded, the first count is the only one. The counts take the text's byte
    // escapes as that encoding's: bytes of a Shift-JIS text, one 〓 per unit of any other.
    void MeasureSizesIn(TextEncoding encoding);
    // Appends the Shift-JIS form that the counts take of `part`, a piece of this text (a display
    // line in the gutter): its byte escapes as the counts above take them.
    void AppendCountingForm(QStringView part, std::string& out) const;

private:
    bool BeginLoad();
    void EndLoad(bool undo);
    void AppendAtEnd(std::u16string_view lines);
    void AppendLines(std::string_view lines, std::u16string& decoded);
    struct LineSurvey
    {
        std::vector<LineFigures> figures;
        std::vector<std::pair<int, std::string_view>> changing; // line number, file bytes
    };
    LineSurvey Survey(std::string_view text) const;
    void ContentsChange(int position, int removed, int added);
    void DropKeptBytes(const QTextBlock& first, const QTextBlock& last);
    void CountUnder(const CountOptions& options, const WordCharacterSet& words);
    void CountAnew(const CountOptions& options, const WordCharacterSet& words);
    LineFigures CountBytes(std::string_view line) const;
    LineFigures CountPart(const QTextBlock& block, int from, int to) const;
    TextSpan SelectionSpan(const QTextCursor& cursor) const;

    bool FLoading = false;  // the text is going in: no edit to follow
    bool FCounting = false; // FSums follows the text under FOptions and FWords
    CountOptions FOptions;
    WordCharacterSet FWords;
    std::unique_ptr<LineWordCounter> FLineWords;       // under FWords
    TextEncoding FMeasuredIn = TextEncoding::ShiftJis; // the text's encoding, for sizes and counts
    LineSums FSums;
};
