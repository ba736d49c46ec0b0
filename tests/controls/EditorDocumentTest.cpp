// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-line figures of the editor's text against a whole count, under random edits; and lines
// opened from a file keeping their bytes.

#include "controls/EditorDocument.h"
#include "controls/QtShiftJis.h"

#include "analysis/BeforeNul.h"
#include "analysis/TextAsRead.h"
#include "analysis/TextStatistics.h"
#include "analysis/WordCount.h"
#include "shell/TextLines.h"

#include <QTextBlock>
#include <QTextCursor>

#include "QtTestApplication.h"
#include "ShiftJisText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

TextStatistics WholeCount(const std::string& text, const CountOptions& options,
                          const WordCharacterSet& words)
{
    TextStatistics statistics = CountText(text, options);
    statistics.words = CountWords(ReadingText(text, options.excludeRuby), words);
    return statistics;
}

void ExpectSame(const TextStatistics& kept, const TextStatistics& whole, const std::string& text)
{
    EXPECT_EQ(kept.characters, whole.characters) << text;
    EXPECT_EQ(kept.lines, whole.lines) << text;
    EXPECT_EQ(kept.bytes, whole.bytes) << text;
    EXPECT_EQ(kept.words, whole.words) << text;
}

// Pieces that meet the counting rules: blanks of three kinds, hyphens that join words over a line
// end, line breaks, kana and kanji, a character with two byte pairs and a byte with no character.
QString RandomPiece(std::mt19937& random)
{
    static const QString pieces[] = {"a",
                                     "word",
                                     "-",
                                     " ",
                                     "\t",
                                     QStringLiteral(u"　"),
                                     "\n",
                                     "\n\n",
                                     QStringLiteral(u"漢字"),
                                     "x-\n  y",
                                     "1",
                                     QStringLiteral(u"≒"),
                                     QString(QChar(0xDC81)),
                                     "it's",
                                     "-\n",
                                     QStringLiteral(u"｜漢字《かんじ》"),
                                     QStringLiteral(u"［＃改ページ］"),
                                     QStringLiteral(u"《")};
    QString text;
    const int count = std::uniform_int_distribution<int>(1, 6)(random);
    for (int i = 0; i < count; ++i)
        text +=
            pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    return text;
}

void RandomEdit(EditorDocument& document, std::mt19937& random)
{
    const int end = document.characterCount() - 1;
    auto at = [&] { return std::uniform_int_distribution<int>(0, end)(random); };
    QTextCursor cursor(&document);
    switch (std::uniform_int_distribution<int>(0, 5)(random)) {
    case 0: // typing or pasting, many lines at times
    case 1:
        cursor.setPosition(at());
        cursor.insertText(RandomPiece(random));
        break;
    case 2: { // deleting, across lines at times
        const int a = at();
        const int b = at();
        cursor.setPosition(std::min(a, b));
        cursor.setPosition(std::max(a, b), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    }
    case 3:
        document.undo();
        break;
    case 4:
        document.redo();
        break;
    case 5: { // replacing every hyphen, in one step to undo
        cursor.beginEditBlock();
        for (QTextCursor found = document.find("-"); !found.isNull();
             found = document.find("-", found))
            found.insertText(RandomPiece(random).left(2));
        cursor.endEditBlock();
        break;
    }
    }
}

TEST(EditorDocumentFigures, FollowEveryEditAsAWholeCountWould)
{
    std::mt19937 random(20261207);
    WordCharacterSet listed;
    listed.SetCharacterList("'");
    for (int round = 0; round < 40; ++round) {
        EditorDocument document;
        std::vector<std::string> lines;
        for (int i = 0; i < 5; ++i)
            lines.push_back(Sjis("a-  ") + "\x87\x90" + Sjis(" 漢 b"));
        CountOptions options;
        options.countSpace = round % 2 == 0;
        options.countDoubleByteSpace = round % 3 == 0;
        options.countTab = round % 5 != 0;
        options.excludeRuby = round % 3 != 1;
        const WordCharacterSet& words = round % 4 == 0 ? listed : WordCharacterSet();
        document.LoadBytes(JoinLinesWithCrLf(lines), options, words);
        for (int step = 0; step < 60; ++step) {
            RandomEdit(document, random);
            const std::string text = document.Text();
            ExpectSame(document.Statistics(options, words), WholeCount(text, options, words), text);
            QTextCursor selection(&document);
            const int end = document.characterCount() - 1;
            selection.setPosition(std::uniform_int_distribution<int>(0, end)(random));
            selection.setPosition(std::uniform_int_distribution<int>(0, end)(random),
                                  QTextCursor::KeepAnchor);
            if (selection.hasSelection()) {
                const std::string selected = document.SelectedText(selection);
                ExpectSame(document.SelectionStatistics(selection, options, words),
                           WholeCount(selected, options, words), selected);
            }
            if (HasFailure())
                return;
        }
    }
}

// The size of the text and of a selection in each other encoding, kept line by line, against the
// text encoded whole: after every edit, with every line break and with and without a final one.
TEST(EditorDocumentSizes, FollowEveryEditAsAWholeEncodingWould)
{
    const TextEncoding encodings[] = {TextEncoding::Utf8, TextEncoding::Utf8Bom,
                                      TextEncoding::Utf16Le, TextEncoding::Utf16Be,
                                      TextEncoding::EucJp};
    const LineBreak breaks[] = {LineBreak::CrLf, LineBreak::Lf, LineBreak::Cr};
    std::mt19937 random(20261208);
    const auto pick = [&random](auto& list) {
        return list[std::uniform_int_distribution<std::size_t>(0, std::size(list) - 1)(random)];
    };
    for (int round = 0; round < 20; ++round) {
        EditorDocument document;
        document.LoadBytes(Sjis("一行目") + "\r\n\r\nx\r\n", CountOptions(), WordCharacterSet());
        for (int step = 0; step < 60; ++step) {
            RandomEdit(document, random);
            if (step % 7 == 0) // characters beyond the basic plane, and ones EUC-JP lacks
                QTextCursor(&document).insertText(QStringLiteral(u"𠮷é\n"));
            const TextEncoding encoding = pick(encodings);
            const LineBreak lineBreak = pick(breaks);
            const bool endsWithBreak = step % 2 == 0;
            std::string whole;
            EncodeText(QtShiftJis::View(document.toRawText()), encoding, lineBreak, endsWithBreak,
                       whole);
            EXPECT_EQ(document.SizeIn(encoding, lineBreak, endsWithBreak),
                      static_cast<std::int64_t>(whole.size()));

            QTextCursor selection(&document);
            const int end = document.characterCount() - 1;
            selection.setPosition(std::uniform_int_distribution<int>(0, end)(random));
            selection.setPosition(std::uniform_int_distribution<int>(0, end)(random),
                                  QTextCursor::KeepAnchor);
            std::string part;
            std::string mark;
            EncodeText(QtShiftJis::View(selection.selectedText()), encoding, lineBreak, true, part);
            EncodeText({}, encoding, lineBreak, true, mark);
            EXPECT_EQ(document.SizeIn(encoding, lineBreak, endsWithBreak, &selection),
                      static_cast<std::int64_t>(part.size() - mark.size()));
            if (HasFailure())
                return;
        }
    }
}

// Every byte pair with a lead byte, and bytes with no character, come back as they were read; an
// edited line alone takes the preferred form of its characters.
TEST(EditorDocumentBytes, UnchangedLinesKeepTheirFileBytes)
{
    std::vector<std::string> lines;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead < 0xE0)
            continue;
        std::string line;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F)
                line += {static_cast<char>(lead), static_cast<char>(trail)};
        lines.push_back(line);
    }
    lines.push_back("\x80\xA0\xFD\xFE\xFF"); // single bytes with no character
    lines.push_back("\x87\x90\x81\xE0");     // ≒ from the NEC row, then the preferred ≒
    EditorDocument document;
    document.LoadBytes(JoinLinesWithCrLf(lines), {}, {});
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(document.Text(), expected);

    QTextCursor cursor(document.lastBlock().previous());
    cursor.insertText("x");
    expected.replace(expected.size() - 6, 6, "x\x81\xE0\x81\xE0\r\n");
    EXPECT_EQ(document.Text(), expected);
}

// Random bytes heavy in line breaks, NULs, lead bytes and pairs with two forms.
std::string RandomBytes(std::mt19937& random)
{
    static const std::string pieces[] = {
        "\r",       "\n",       "\r\n",     "a",        " ",    "-",    std::string(1, '\0'),
        "\x87\x90", "\x81\xE0", "\xED\x40", "\x88\x9F", "\x81", "\xFF", "\x82\xA0"};
    std::string bytes;
    const int count = std::uniform_int_distribution<int>(0, 80)(random);
    for (int i = 0; i < count; ++i)
        bytes +=
            pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
    return bytes;
}

struct Loaded
{
    std::vector<QString> lines;
    std::vector<std::string> kept; // "" where a line keeps no file bytes
    TextStatistics statistics;
    std::string text;
};

Loaded Load(const std::string& bytes, std::size_t piece, const CountOptions& options,
            const WordCharacterSet& words, std::vector<double>* shares = nullptr)
{
    EditorDocument document;
    document.setPlainText("before"); // a load replaces what was there
    document.LoadBytes(
        bytes, options, words, [shares](double share) { shares->push_back(share); }, piece);
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(document.isUndoAvailable());
    Loaded loaded;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next()) {
        loaded.lines.push_back(block.text());
        const auto* kept = dynamic_cast<const QtShiftJis::OriginalBytes*>(block.userData());
        loaded.kept.push_back(kept ? kept->Bytes : std::string());
    }
    loaded.statistics = document.Statistics(options, words);
    loaded.text = document.Text();
    return loaded;
}

// A text put in piece by piece is the text put in at once: the same lines, the same bytes kept,
// the figures of a whole count; and the lines are those of the line rule.
TEST(EditorDocumentLoad, InPiecesEqualsAtOnce)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 300; ++round) {
        const std::string bytes = RandomBytes(random);
        CountOptions options;
        options.countSpace = round % 2 == 0;
        options.excludeRuby = round % 3 == 0;
        const WordCharacterSet words;
        const Loaded whole = Load(bytes, EditorDocument::LoadPieceBytes, options, words);
        const std::size_t piece = std::uniform_int_distribution<std::size_t>(1, 40)(random);
        std::vector<double> shares;
        const Loaded pieces = Load(bytes, piece, options, words, &shares);

        EXPECT_EQ(pieces.lines, whole.lines) << round;
        EXPECT_EQ(pieces.kept, whole.kept) << round;
        EXPECT_EQ(pieces.text, whole.text) << round;
        ExpectSame(pieces.statistics, WholeCount(whole.text, options, words), whole.text);
        EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
        EXPECT_TRUE(shares.empty() || (shares.front() > 0 && shares.back() < 1));

        // An empty line follows the last one only where the text ends with a break.
        const std::vector<std::string> lines = SplitLines(bytes);
        const std::string_view text = BeforeNul(bytes);
        const bool lastLineOpen = !text.empty() && text.back() != '\n' && text.back() != '\r';
        ASSERT_EQ(whole.lines.size(), lines.size() + (lastLineOpen ? 0 : 1)) << round;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(whole.lines[i], QtShiftJis::Decode(lines[i])) << round;
            std::string again;
            QtShiftJis::Encode(whole.lines[i], again);
            EXPECT_EQ(whole.kept[i], again == lines[i] ? "" : lines[i]) << round;
        }

        // A decoded text of another encoding, with CR, LF and CR LF left for the document's rule.
        const std::u16string decoded = Cp932::Decode(bytes);
        EditorDocument atOnce;
        atOnce.setPlainText(QString::fromStdU16String(decoded));
        EditorDocument inPieces;
        inPieces.LoadText(decoded, {}, piece);
        EXPECT_EQ(inPieces.toRawText(), atOnce.toRawText()) << round;
        EXPECT_EQ(inPieces.blockCount(), atOnce.blockCount()) << round;
        EXPECT_FALSE(inPieces.isModified() || inPieces.isUndoAvailable());
        if (HasFailure())
            return;
    }
}

// A load that fails half-way, for both ways a text goes in: the document follows edits again and
// undoes them, and its figures agree with its text.
TEST(EditorDocumentLoading, AFailureHalfWayLeavesTheDocumentFollowingEdits)
{
    const std::string bytes = JoinLinesWithCrLf(std::vector<std::string>(400, Sjis("一行の文章")));
    const std::u16string decoded = Cp932::Decode(bytes);
    const CountOptions options;
    const WordCharacterSet words;
    const struct
    {
        const char* name;
        std::function<void(EditorDocument&, const EditorDocument::LoadProgress&)> load;
    } rows[] = {
        {"bytes", [&](EditorDocument& d, auto& p) { d.LoadBytes(bytes, options, words, p, 512); }},
        {"text", [&](EditorDocument& d, auto& p) { d.LoadText(decoded, p, 512); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EditorDocument document;
        document.setPlainText(QStringLiteral(u"前の文章"));
        const EditorDocument::LoadProgress fails = [](double share) {
            if (share > 0.3)
                throw std::runtime_error("the reading stopped");
        };
        EXPECT_THROW(row.load(document, fails), std::runtime_error);
        EXPECT_FALSE(document.Loading());
        EXPECT_TRUE(document.isUndoRedoEnabled());
        QTextCursor end(&document);
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral(u"足した"));
        EXPECT_TRUE(document.isUndoAvailable());
        ExpectSame(document.Statistics(options, words), WholeCount(document.Text(), options, words),
                   document.Text());
    }
}

} // namespace
