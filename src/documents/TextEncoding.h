#pragma once
// The encodings a writer's files come in, told apart on opening and kept for saving. Shift-JIS is
// the program's own form; UTF-8, UTF-16 and EUC-JP files are read into UTF-16 text and written
// back byte for byte: bytes that begin no character travel as U+DC00 + byte, as in the Shift-JIS
// codec.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

// "Shift-JIS", "UTF-8", "UTF-8 (BOM)", "UTF-16LE", "UTF-16BE", "EUC-JP".
const char* EncodingName(TextEncoding encoding) noexcept;

struct EncodingGuess
{
    TextEncoding encoding = TextEncoding::ShiftJis;
    // The file began as UTF-8 but is not UTF-8 further on; it is read as Shift-JIS.
    bool notUtf8 = false;
};

// A byte-order mark decides; else a start in plain ASCII is Shift-JIS; else a start that is
// well-formed UTF-8 is UTF-8 (when the whole file is); else the charset detector chooses between
// Shift-JIS and EUC-JP, and Shift-JIS whenever it is unsure. Only the first 64 KiB (and the bytes
// that finish a character there) are looked at, except to confirm UTF-8 to the end.
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

// The bytes of a file in `encoding` for a text whose lines end in LF or U+2029. Shift-JIS writes
// every break as CR LF; the others write `lineBreak` and drop the final break when the file had
// none. Returns false when some character had no form in the encoding and was written as "?".
bool EncodeText(std::u16string_view text, TextEncoding encoding, LineBreak lineBreak,
                bool endsWithBreak, std::string& out);

// Turns a file's bytes into the Shift-JIS form that the counts work on: a Shift-JIS file by its
// line rule with every line ending in CR LF (left as it is when it is so already); a file of
// another encoding decoded, with CR LF breaks and the geta mark 〓 for each character without a
// Shift-JIS form. Returns how many characters took the mark.
std::size_t MakeCountingForm(std::string& bytes, TextEncoding encoding);

// Puts back the characters that the counting form of `source` marked with 〓: the k-th 〓 of
// `rewritten` becomes the k-th character of `source` that took or was a 〓, provided both have
// the same number of them (a rewrite keeps every character in order).
void RestoreGetaMarks(std::u16string& rewritten, std::u16string_view source);

// The characters of `source` that its counting form shows as 〓 (those without a Shift-JIS form,
// and 〓 itself), one after another.
std::u16string MarkedCharacters(std::u16string_view source);
// Puts MarkedCharacters back in place of the 〓 of `text`, in order. False (and `text` unchanged)
// when the numbers of marks and characters differ.
bool PutBackMarkedCharacters(std::u16string& text, std::u16string_view marked);
