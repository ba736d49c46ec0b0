// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEncoding.h"
#include "Utf8CountingForm.h"

#include "analysis/BeforeNul.h"
#include "analysis/ByteEscape.h"
#include "analysis/Cp932Codec.h"
#include "analysis/ShiftJis.h"
#include "analysis/Utf8.h"
#include "shell/CharsetGuess.h"
#include "shell/EucJp.h"
#include "shell/TextLines.h"

#include <algorithm>
#include <vector>

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr char16_t ParagraphSeparator = 0x2029;
constexpr char16_t GetaMark = 0x3013;
constexpr std::size_t DetectionSpan = 64 * 1024;
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";

using ByteEscape::IsEscape;

bool IsHighSurrogate(char16_t c) noexcept
{
    return c >= 0xD800 && c < 0xDC00;
}

bool IsLowSurrogate(char16_t c) noexcept
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::size_t AsciiPrefix(std::string_view bytes) noexcept
{
    const auto first = std::find_if(bytes.begin(), bytes.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return static_cast<std::size_t>(first - bytes.begin());
}

// 64 KiB from `start`, and the continuation bytes that finish the UTF-8 sequence cut there.
std::string_view DetectionHead(std::string_view bytes, std::size_t start) noexcept
{
    std::size_t end = start + std::min(bytes.size() - start, DetectionSpan);
    for (int extra = 0; extra < 3 && end < bytes.size(); ++extra, ++end)
        if ((static_cast<unsigned char>(bytes[end]) & 0xC0) != 0x80)
            break;
    return bytes.substr(start, end - start);
}

void DecodeUtf8(std::string_view bytes, std::u16string& out)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    out.reserve(bytes.size());
    for (std::size_t position = 0; position < bytes.size();) {
        char32_t code = 0;
        std::size_t length = Utf8::Read(s, position, bytes.size(), code);
        if (length == 0 || code == 0 || ByteEscape::IsKeptAsBytes(code)) {
            if (length == 0)
                length = Utf8::InvalidLength(s, position, bytes.size());
            ByteEscape::AppendUnit(bytes.substr(position, length), out);
            position += length;
            continue;
        }
        position += length;
        if (code > 0xFFFF) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
    }
}

void DecodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& out)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t i) {
        const unsigned a = s[2 * i];
        const unsigned b = s[2 * i + 1];
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    out.reserve(units + 1);
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t c = unit(i);
        if (IsHighSurrogate(c) && i + 1 < units && IsLowSurrogate(unit(i + 1))) {
            out.push_back(c);
            out.push_back(unit(++i));
        } else if (c == 0 || IsHighSurrogate(c) || IsLowSurrogate(c) ||
                   ByteEscape::IsKeptAsBytes(c)) {
            // A lone surrogate or a NUL: its two bytes travel as one unit of escapes.
            ByteEscape::AppendUnit(bytes.substr(2 * i, 2), out);
        } else {
            out.push_back(c);
        }
    }
    if (bytes.size() % 2 != 0)
        ByteEscape::AppendUnit(bytes.substr(bytes.size() - 1), out);
}

// Every CR LF, CR and LF becomes LF; a text that does not end in one gets one.
DecodedText NormalizeBreaks(const std::u16string& raw)
{
    DecodedText decoded;
    decoded.text.reserve(raw.size() + 1);
    bool found = false;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i];
        if (c != u'\r' && c != u'\n') {
            decoded.text.push_back(c);
            continue;
        }
        const bool crLf = c == u'\r' && i + 1 < raw.size() && raw[i + 1] == u'\n';
        if (!found) {
            decoded.lineBreak = crLf ? LineBreak::CrLf : c == u'\r' ? LineBreak::Cr : LineBreak::Lf;
            found = true;
        }
        if (crLf)
            ++i;
        decoded.text.push_back(u'\n');
    }
    decoded.endsWithBreak = !raw.empty() && (raw.back() == u'\r' || raw.back() == u'\n');
    if (!decoded.text.empty() && !decoded.endsWithBreak)
        decoded.text.push_back(u'\n');
    return decoded;
}

// The text with the file's line breaks, the final one dropped when the file had none.
std::u16string WithBreaks(std::u16string_view text, LineBreak lineBreak, bool endsWithBreak)
{
    const std::u16string_view brk = lineBreak == LineBreak::CrLf ? u"\r\n"
                                    : lineBreak == LineBreak::Cr ? u"\r"
                                                                 : u"\n";
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char16_t c : text) {
        if (c == u'\n' || c == ParagraphSeparator)
            out += brk;
        else
            out.push_back(c);
    }
    const bool last = !text.empty() && (text.back() == u'\n' || text.back() == ParagraphSeparator);
    if (!endsWithBreak && last)
        out.resize(out.size() - brk.size());
    return out;
}

void EncodeUtf8(std::u16string_view text, std::string& out)
{
    out.reserve(out.size() + text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsEscape(text[i])) {
            out.push_back(ByteEscape::ByteOf(text[i]));
            continue;
        }
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
            c = Replacement; // a lone surrogate is no character of any file
        Utf8::Write(c, [&out](char byte) { out.push_back(byte); });
    }
}

// Escapes are single bytes; a run of them (the two bytes of a lost unit) goes out as it came. A
// surrogate pair goes out whole, whatever its second unit looks like.
void EncodeUtf16(std::u16string_view text, bool bigEndian, std::string& out)
{
    out.reserve(out.size() + text.size() * 2);
    const auto put = [&](char16_t c) {
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            put(c);
            put(text[++i]);
        } else if (IsEscape(c)) {
            out.push_back(ByteEscape::ByteOf(c));
        } else {
            put(c);
        }
    }
}

std::u16string DecodeRaw(std::string_view bytes, TextEncoding encoding)
{
    std::u16string raw;
    switch (encoding) {
    case TextEncoding::ShiftJis:
        Cp932::Decode(bytes, raw);
        break;
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
        DecodeUtf8(bytes.substr(bytes.starts_with(Utf8Mark) ? Utf8Mark.size() : 0), raw);
        break;
    case TextEncoding::Utf16Le:
        DecodeUtf16(bytes.substr(bytes.starts_with(Utf16LeMark) ? 2 : 0), false, raw);
        break;
    case TextEncoding::Utf16Be:
        DecodeUtf16(bytes.substr(bytes.starts_with(Utf16BeMark) ? 2 : 0), true, raw);
        break;
    case TextEncoding::EucJp:
        EucJp::Decode(bytes, raw);
        break;
    }
    return raw;
}

// A form whose every break is CR LF (and that has no NUL) needs at most its last line's break,
// which it takes in place: a file made on Windows is not copied.
bool FinishCrLfForm(std::string& form)
{
    if (!TextLines::HasOnlyCrLfBreaks(form))
        return false;
    if (!form.empty() && !form.ends_with("\r\n"))
        form += "\r\n";
    return true;
}

} // namespace

const char* EncodingName(TextEncoding encoding) noexcept
{
    switch (encoding) {
    case TextEncoding::ShiftJis:
        return "Shift-JIS";
    case TextEncoding::Utf8:
        return "UTF-8";
    case TextEncoding::Utf8Bom:
        return "UTF-8 (BOM)";
    case TextEncoding::Utf16Le:
        return "UTF-16LE";
    case TextEncoding::Utf16Be:
        return "UTF-16BE";
    case TextEncoding::EucJp:
        return "EUC-JP";
    }
    return "Shift-JIS";
}

EncodingGuess DetectEncoding(std::string_view bytes)
{
    if (bytes.starts_with(Utf8Mark))
        return {TextEncoding::Utf8Bom};
    if (bytes.starts_with(Utf16LeMark))
        return {TextEncoding::Utf16Le};
    if (bytes.starts_with(Utf16BeMark))
        return {TextEncoding::Utf16Be};
    // The text ends at its first NUL in every other encoding: what follows decides nothing.
    const std::string_view text = BeforeNul(bytes);
    const std::size_t ascii = AsciiPrefix(text);
    if (ascii == text.size())
        return {TextEncoding::ShiftJis};
    // The bytes looked at begin where the ASCII ends: a long English preface decides nothing.
    const std::string_view head = DetectionHead(text, ascii);
    if (Cp932::IsValidUtf8(head)) {
        const bool whole = ascii + head.size() == text.size() ||
                           Cp932::IsValidUtf8(text.substr(ascii + head.size()));
        if (!whole || CharsetGuess::ReadsAsUtf8(text))
            return {TextEncoding::Utf8, !whole};
    }
    if (CharsetGuess::Guess(text.substr(ascii)) == CharsetGuess::Japanese::EucJp)
        return {TextEncoding::EucJp};
    return {TextEncoding::ShiftJis};
}

EncodingGuess ChooseEncoding(std::string_view bytes, std::optional<TextEncoding> given)
{
    if (!given)
        return DetectEncoding(bytes);
    if (*given == TextEncoding::Utf16Le && bytes.starts_with(Utf16BeMark))
        return {TextEncoding::Utf16Be};
    if (*given == TextEncoding::Utf16Be && bytes.starts_with(Utf16LeMark))
        return {TextEncoding::Utf16Le};
    return {*given};
}

CountingText ReadForCounting(TextBytes bytes, std::optional<TextEncoding> given)
{
    const EncodingGuess guess = ChooseEncoding(bytes.View(), given);
    CountingText text{TextBytes(), guess.encoding, guess.notUtf8};
    text.missing = MakeCountingForm(bytes, text.encoding);
    text.shiftJis = std::move(bytes);
    return text;
}

std::vector<std::string> ReadingNotices(const CountingText& text)
{
    std::vector<std::string> notices;
    if (text.notUtf8)
        notices.emplace_back("UTF-8 として正しくないバイトを〓として読みました");
    if (text.missing > 0)
        notices.push_back(std::to_string(text.missing) +
                          " 文字はシフトJISで表せないため〓として数えました");
    return notices;
}

const char* LineBreakName(LineBreak lineBreak) noexcept
{
    switch (lineBreak) {
    case LineBreak::CrLf:
        return "CR+LF";
    case LineBreak::Lf:
        return "LF";
    case LineBreak::Cr:
        return "CR";
    }
    return "CR+LF";
}

DecodedText DecodeText(std::string_view bytes, TextEncoding encoding)
{
    return NormalizeBreaks(DecodeRaw(bytes, encoding));
}

FileBreaks ShiftJisBreaks(std::string_view bytes) noexcept
{
    const std::string_view text = BeforeNul(bytes);
    FileBreaks breaks;
    const std::size_t at = text.find_first_of("\r\n");
    if (at != std::string_view::npos)
        breaks.lineBreak = text[at] == '\n'                               ? LineBreak::Lf
                           : at + 1 < text.size() && text[at + 1] == '\n' ? LineBreak::CrLf
                                                                          : LineBreak::Cr;
    breaks.endsWithBreak = text.empty() || text.back() == '\n' || text.back() == '\r';
    return breaks;
}

std::string WithShiftJisBreaks(std::string text, LineBreak lineBreak, bool endsWithBreak)
{
    const bool last = text.ends_with("\r\n");
    if (lineBreak != LineBreak::CrLf) {
        // Only a CR that begins a character joins the LF after it: a lead byte may take a CR as
        // its second byte.
        const char brk = lineBreak == LineBreak::Lf ? '\n' : '\r';
        std::string out;
        out.reserve(text.size());
        for (std::size_t p = 0; p < text.size();) {
            const ShiftJis::Character c = ShiftJis::CharacterAt(text, p);
            if (c.IsSingleByte(ShiftJis::CR) && p + 1 < text.size() && text[p + 1] == '\n') {
                out.push_back(brk);
                p += 2;
                continue;
            }
            out.append(text, p, c.length);
            p += c.length;
        }
        text = std::move(out);
    }
    if (last && !endsWithBreak)
        text.resize(text.size() - (lineBreak == LineBreak::CrLf ? 2 : 1));
    return text;
}

bool EncodeText(std::u16string_view text, TextEncoding encoding, LineBreak lineBreak,
                bool endsWithBreak, std::string& out)
{
    const std::u16string broken = WithBreaks(text, lineBreak, endsWithBreak);
    if (encoding == TextEncoding::ShiftJis)
        return Cp932::Encode(broken, out);
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        out += Utf8Mark;
        [[fallthrough]];
    case TextEncoding::Utf8:
        EncodeUtf8(broken, out);
        return true;
    case TextEncoding::Utf16Le:
        out += Utf16LeMark;
        EncodeUtf16(broken, false, out);
        return true;
    case TextEncoding::Utf16Be:
        out += Utf16BeMark;
        EncodeUtf16(broken, true, out);
        return true;
    case TextEncoding::EucJp:
        return EucJp::Encode(broken, out);
    case TextEncoding::ShiftJis:
        break;
    }
    return true;
}

std::size_t MakeCountingForm(TextBytes& bytes, TextEncoding encoding)
{
    const std::string_view view = bytes.View();
    std::string form;
    if (encoding == TextEncoding::ShiftJis) {
        // A file made on Windows is its own form, where it was read, but for its last CR LF.
        if (TextLines::HasOnlyCrLfBreaks(view)) {
            if (!view.empty() && !view.ends_with("\r\n"))
                bytes.AppendInPlace("\r\n");
            return 0;
        }
        TextLines::AppendWithCrLf(view, form);
        bytes = TextBytes(std::move(form));
        return 0;
    }
    if (encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8Bom) {
        // UTF-8 goes straight to Shift-JIS, in room of its own. A text with other breaks than
        // CR LF, or with a NUL, takes the way through UTF-16 below, which puts its breaks in
        // order.
        const std::string_view utf8 = view.substr(view.starts_with(Utf8Mark) ? Utf8Mark.size() : 0);
        if (std::optional<Utf8CountingForm> made = MakeUtf8CountingForm(utf8)) {
            bytes = std::move(made->form);
            return made->missing;
        }
    }
    const std::u16string text = DecodeText(view, encoding).text;
    bytes = TextBytes(); // the file's bytes are no longer needed
    const std::size_t missing =
        Cp932::EncodeForCounting(text, form, Cp932::LineBreaks::Convert, Cp932::Escapes::Geta);
    // A NUL ends the text, as in a Shift-JIS file.
    if (!FinishCrLfForm(form)) {
        std::string lines;
        TextLines::AppendWithCrLf(form, lines);
        form = std::move(lines);
    }
    bytes = TextBytes(std::move(form));
    return missing;
}

std::size_t MakeCountingForm(std::string& bytes, TextEncoding encoding)
{
    TextBytes held(std::move(bytes));
    const std::size_t missing = MakeCountingForm(held, encoding);
    bytes = held.TakeString();
    return missing;
}

std::u16string MarkedCharacters(std::u16string_view source, TextEncoding encoding)
{
    std::u16string marked;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char16_t c = source[i];
        // In a text of another encoding, a unit of bytes that made no character is one 〓.
        if (IsEscape(c) && encoding != TextEncoding::ShiftJis) {
            const ByteEscape::Unit unit = ByteEscape::UnitAt(source, i);
            if (!unit.nul)
                marked.append(source.substr(i, unit.length));
            i += unit.length - 1;
            continue;
        }
        const bool pair =
            IsHighSurrogate(c) && i + 1 < source.size() && IsLowSurrogate(source[i + 1]);
        if (pair) {
            marked.push_back(c);
            marked.push_back(source[++i]);
        } else if (c == GetaMark ||
                   (!IsEscape(c) && !IsHighSurrogate(c) && !IsLowSurrogate(c) && c != u'\n' &&
                    c != u'\r' && c != ParagraphSeparator && c != 0 && !Cp932::HasForm(c))) {
            marked.push_back(c);
        }
    }
    return marked;
}

bool PutBackMarkedCharacters(std::u16string& text, std::u16string_view marked)
{
    // Each entry is one character (a surrogate pair or a single unit) or one unit of escapes,
    // which tells its own end.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        starts.push_back(i);
        if (IsEscape(marked[i]))
            i += ByteEscape::UnitAt(marked, i).length - 1;
        else
            i += IsHighSurrogate(marked[i]) && i + 1 < marked.size() &&
                 IsLowSurrogate(marked[i + 1]);
    }
    if (starts.empty() || std::count(text.begin(), text.end(), GetaMark) !=
                              static_cast<std::ptrdiff_t>(starts.size()))
        return starts.empty();
    starts.push_back(marked.size());
    std::u16string out;
    out.reserve(text.size() + starts.size());
    std::size_t k = 0;
    for (const char16_t c : text) {
        if (c != GetaMark) {
            out.push_back(c);
            continue;
        }
        out.append(marked.substr(starts[k], starts[k + 1] - starts[k]));
        ++k;
    }
    text = std::move(out);
    return true;
}

void RestoreGetaMarks(std::u16string& rewritten, std::u16string_view source, TextEncoding encoding)
{
    PutBackMarkedCharacters(rewritten, MarkedCharacters(source, encoding));
}
