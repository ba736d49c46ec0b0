// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryFile.h"

#include "analysis/Cp932Codec.h"

#include <charconv>
#include <iterator>

namespace {

constexpr std::string_view Header = "KOTONAMI-RECOVERY 2\n";
// The first format: the text in the counting form, with the characters behind its geta marks.
constexpr std::string_view FirstHeader = "KOTONAMI-RECOVERY 1\n";
constexpr char16_t GetaMark = u'〓';

void PutNumber(std::string& out, std::string_view key, std::int64_t value)
{
    out += key;
    out += ' ';
    out += std::to_string(value);
    out += '\n';
}

void PutBytes(std::string& out, std::string_view key, std::string_view bytes)
{
    PutNumber(out, key, static_cast<std::int64_t>(bytes.size()));
    out += bytes;
    out += '\n';
}

std::string Utf16Bytes(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string FromUtf16Bytes(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

// A file of the first format: the text comes back from the counting form as that format's windows
// brought it back, and the lines of a Shift-JIS text whose bytes the codec would not give again
// keep them, as when a file is opened (a line with a geta mark took its characters back instead).
void ReadCountingForm(RecoveryRecord& record, std::string_view form, std::u16string_view marked)
{
    record.text = Cp932::Decode(form, Cp932::LineBreaks::Convert);
    PutBackMarkedCharacters(record.text, marked);
    if (record.encoding != TextEncoding::ShiftJis)
        return;
    std::int64_t number = 0;
    for (std::size_t from = 0; from <= form.size(); ++number) {
        const std::size_t found = form.find("\r\n", from);
        const std::size_t end = found == std::string_view::npos ? form.size() : found;
        const std::string_view line = form.substr(from, end - from);
        const std::u16string decoded = Cp932::Decode(line);
        std::string again;
        Cp932::Encode(decoded, again);
        if (decoded.find(GetaMark) == std::u16string::npos && again != line)
            record.kept.emplace_back(number, std::string(line));
        from = end + 2;
    }
}

// Reads the file from the front, field by field; any fault leaves it failed.
class Reader
{
public:
    explicit Reader(std::string_view bytes) : FRest(bytes) {}

    bool Failed() const noexcept { return FFailed; }
    bool AtEnd() const noexcept { return FRest.empty(); }

    bool Take(std::string_view expected)
    {
        if (FFailed || FRest.substr(0, expected.size()) != expected)
            return Fail();
        FRest.remove_prefix(expected.size());
        return true;
    }

    std::int64_t Number(std::string_view key, char end = '\n')
    {
        if (!Take(key) || !Take(" "))
            return 0;
        return Value(end);
    }

    std::string_view Bytes(std::string_view key)
    {
        const std::int64_t size = Number(key);
        if (FFailed || size < 0 || static_cast<std::uint64_t>(size) >= FRest.size())
            return Fail(), std::string_view();
        const std::string_view bytes = FRest.substr(0, static_cast<std::size_t>(size));
        FRest.remove_prefix(bytes.size());
        Take("\n");
        return bytes;
    }

    std::int64_t Value(char end)
    {
        std::int64_t value = 0;
        const auto [next, error] =
            std::from_chars(FRest.data(), FRest.data() + FRest.size(), value);
        if (error != std::errc() || next == FRest.data() || next == FRest.data() + FRest.size() ||
            *next != end)
            return Fail(), 0;
        FRest.remove_prefix(static_cast<std::size_t>(next - FRest.data()) + 1);
        return value;
    }

private:
    bool Fail()
    {
        FFailed = true;
        return false;
    }

    std::string_view FRest;
    bool FFailed = false;
};

template <class Enum> std::optional<Enum> InRange(std::int64_t value, Enum last)
{
    if (value < 0 || value > static_cast<std::int64_t>(last))
        return std::nullopt;
    return static_cast<Enum>(value);
}

} // namespace

std::string FormatRecovery(const RecoveryRecord& record)
{
    std::string out(Header);
    std::size_t keptSize = 0;
    for (const auto& [line, bytes] : record.kept)
        keptSize += bytes.size() + 64;
    out.reserve(Header.size() + 256 + record.fileName.size() + keptSize + 2 * record.text.size());
    out += "owner ";
    out += std::to_string(record.owner.process) + ' ' + std::to_string(record.owner.started) + ' ' +
           std::to_string(record.owner.window) + '\n';
    PutNumber(out, "changed", record.changedAt);
    PutBytes(out, "file", record.fileName);
    PutNumber(out, "encoding", static_cast<std::int64_t>(record.encoding));
    PutNumber(out, "linebreak", static_cast<std::int64_t>(record.lineBreak));
    PutNumber(out, "endsWithBreak", record.endsWithBreak ? 1 : 0);
    PutNumber(out, "caret", record.caret);
    PutNumber(out, "kept", static_cast<std::int64_t>(record.kept.size()));
    for (const auto& [line, bytes] : record.kept) {
        PutNumber(out, "line", line);
        PutBytes(out, "bytes", bytes);
    }
    PutBytes(out, "text", Utf16Bytes(record.text));
    return out;
}

std::optional<RecoveryRecord> ParseRecovery(std::string_view bytes)
{
    const bool first = bytes.starts_with(FirstHeader);
    Reader in(bytes);
    RecoveryRecord record;
    in.Take(first ? FirstHeader : Header);
    record.owner.process = in.Number("owner", ' ');
    record.owner.started = in.Value(' ');
    record.owner.window = in.Value('\n');
    record.changedAt = in.Number("changed");
    record.fileName = in.Bytes("file");
    const auto encoding = InRange(in.Number("encoding"), std::size(AllEncodings) - 1);
    const auto lineBreak = InRange(in.Number("linebreak"), LineBreak::Cr);
    const std::int64_t endsWithBreak = in.Number("endsWithBreak");
    record.caret = in.Number("caret");
    std::string_view marked;
    std::int64_t kept = 0;
    if (first) {
        marked = in.Bytes("marked");
    } else {
        kept = in.Number("kept");
        for (std::int64_t i = 0; i < kept && !in.Failed(); ++i) {
            const std::int64_t line = in.Number("line");
            record.kept.emplace_back(line, in.Bytes("bytes"));
        }
    }
    const std::string_view text = in.Bytes("text");
    if (in.Failed() || !in.AtEnd() || !encoding || !lineBreak || endsWithBreak < 0 || kept < 0 ||
        endsWithBreak > 1 || marked.size() % 2 != 0 || (!first && text.size() % 2 != 0))
        return std::nullopt;
    record.encoding = AllEncodings[*encoding];
    record.lineBreak = *lineBreak;
    record.endsWithBreak = endsWithBreak == 1;
    if (first)
        ReadCountingForm(record, text, FromUtf16Bytes(marked));
    else
        record.text = FromUtf16Bytes(text);
    return record;
}
