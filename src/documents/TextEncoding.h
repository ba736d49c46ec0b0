// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The encodings a writer's files come in, told apart on opening and kept for saving. Shift-JIS is
// the program's own form; UTF-8, UTF-16 and EUC-JP files are read into UTF-16 text and written
// back byte for byte: bytes that begin no character travel as byte escapes (ByteEscape.h), as in
// the Shift-JIS codec, and count as one 〓 per unit.

#include "shell/TextBytes.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class TextEncoding
{
    ShiftJis,
    Utf8,
    Utf8Bom,
    Utf16Le,
    Utf16Be,
    EucJp
};

inline constexpr TextEncoding AllEncodings[] = {TextEncoding::ShiftJis, TextEncoding::Utf8,
                                                TextEncoding::Utf8Bom,  TextEncoding::Utf16Le,
                                                TextEncoding::Utf16Be,  TextEncoding::EucJp};

enum class LineBreak
{
    CrLf,
    Lf,
    Cr
};

inline constexpr LineBreak AllLineBreaks[] = {LineBreak::CrLf, LineBreak::Lf, LineBreak::Cr};

// "Shift-JIS", "UTF-8", "UTF-8 (BOM)", "UTF-16LE", "UTF-16BE", "EUC-JP".
const char* EncodingName(TextEncoding encoding) noexcept;

// "CR+LF", "LF", "CR".
const char* LineBreakName(LineBreak lineBreak) noexcept;

struct EncodingGuess
{
    TextEncoding encoding = TextEncoding::ShiftJis;
    // The file began as UTF-8 but is not UTF-8 further on; it is read as UTF-8 all the same, the
    // bytes that make no character counted as 〓.
    bool notUtf8 = false;
};

// A byte-order mark decides; else the text up to its first NUL does: plain ASCII is Shift-JIS;
// UTF-8 (judged on the 64 KiB from the first non-ASCII byte, and the bytes that finish a character
// there) is UTF-8, whatever follows, unless the whole is Shift-JIS that reads as two-byte UTF-8
// characters no European word holds (CharsetGuess::ReadsAsUtf8); else Shift-JIS or EUC-JP as
// CharsetGuess chooses over the whole text.
EncodingGuess DetectEncoding(std::string_view bytes);

// A file's text with every line break as LF, each line ending in one (as the editor shows a
// file), and how the file broke its lines.
struct DecodedText
{
    std::u16string text;
    LineBreak lineBreak = LineBreak::Lf; // the first break in the file; LF for a file with none
    bool endsWithBreak = false;
};

// For any encoding but Shift-JIS, whose files keep their own line rule. A byte-order mark is
// skipped; a NUL is kept as an escape.
DecodedText DecodeText(std::string_view bytes, TextEncoding encoding);

// How a Shift-JIS file breaks its lines: its first break (CR LF, the program's own, for a file
// with none) and whether its text (up to a NUL) ends with one; an empty file counts as ending so.
struct FileBreaks
{
    LineBreak lineBreak = LineBreak::CrLf;
    bool endsWithBreak = true;
};
FileBreaks ShiftJisBreaks(std::string_view bytes) noexcept;

// A Shift-JIS text whose lines are joined by CR LF, with `lineBreak` between its lines instead and
// its final break dropped unless `endsWithBreak`: the bytes of its file.
std::string WithShiftJisBreaks(std::string text, LineBreak lineBreak, bool endsWithBreak);

// The bytes of a file in `encoding` for a text whose lines end in LF or U+2029: each break written
// as `lineBreak`, the final one dropped when the file had none. Returns false when some character
// had no form in the encoding and was written as "?".
bool EncodeText(std::u16string_view text, TextEncoding encoding, LineBreak lineBreak,
                bool endsWithBreak, std::string& out);

// Turns a file's bytes into the Shift-JIS form that the counts work on: a Shift-JIS file by its
// line rule with every line ending in CR LF (left as it is when it is so already); a file of
// another encoding decoded, with CR LF breaks and the geta mark 〓 for each character without a
// Shift-JIS form. Returns how many characters took the mark.
std::size_t MakeCountingForm(std::string& bytes, TextEncoding encoding);
// The same over bytes that may be a file's mapped pages, which stay as they are when they are the
// form already.
std::size_t MakeCountingForm(TextBytes& bytes, TextEncoding encoding);

// The encoding to read `bytes` in: the one given (where a UTF-16 text's mark decides its byte
// order), or else the one the bytes show.
EncodingGuess ChooseEncoding(std::string_view bytes, std::optional<TextEncoding> given);

// A file read for counting: its counting form, the encoding it was read in, and what the reader
// should be told about it.
struct CountingText
{
    TextBytes shiftJis;
    TextEncoding encoding = TextEncoding::ShiftJis;
    bool notUtf8 = false;    // began as UTF-8, read as Shift-JIS
    std::size_t missing = 0; // characters counted as 〓
};

// Every reader that counts a file without showing it (the companion, the PDF export) comes here.
CountingText ReadForCounting(TextBytes bytes, std::optional<TextEncoding> given);

// What to tell the reader about the text, in UTF-8, one notice a line, without the file's name.
std::vector<std::string> ReadingNotices(const CountingText& text);

// Puts back the characters that the counting form of `source` marked with 〓: the k-th 〓 of
// `rewritten` becomes the k-th character (or unit of byte escapes, in a text read in `encoding`
// other than Shift-JIS) of `source` that took or was a 〓, provided both have the same number of
// them (a rewrite keeps every character in order).
void RestoreGetaMarks(std::u16string& rewritten, std::u16string_view source,
                      TextEncoding encoding = TextEncoding::ShiftJis);

// The characters of `source` that its counting form shows as 〓 (those without a Shift-JIS form,
// 〓 itself, and in a text of another encoding each unit of byte escapes), one after another.
std::u16string MarkedCharacters(std::u16string_view source,
                                TextEncoding encoding = TextEncoding::ShiftJis);
// Puts MarkedCharacters back in place of the 〓 of `text`, in order. False (and `text` unchanged)
// when the numbers of marks and characters differ.
bool PutBackMarkedCharacters(std::u16string& text, std::u16string_view marked);
