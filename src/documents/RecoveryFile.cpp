// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryFile.h"

#include "analysis/Cp932Codec.h"

#include <charconv>
#include <iterator>

namespace {

constexpr std::string_view Header = "KOTONAMI-RECOVERY 3\n";
// The second format: the third without the file's stamp and the session.
constexpr std::string_view SecondHeader = "KOTONAMI-RECOVERY 2\n";
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

template <class... Values> void PutNumbers(std::string& out, std::string_view key, Values... values)
{
    out += key;
    ((out += ' ', out += std::to_string(values)), ...);
    out += '\n';
}

// A local day as the log names it: "YYYY-MM-DD".
bool IsDayName(std::string_view day)
{
    if (day.size() != 10 || day[4] != '-' || day[7] != '-')
        return false;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (day[i] < '0' || day[i] > '9')
            return false;
    return true;
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

    // Whether the next field is `key` (a field that a file may leave out).
    bool Next(std::string_view key) const noexcept
    {
        return !FFailed && FRest.starts_with(key) && FRest.substr(key.size()).starts_with(' ');
    }

    std::int64_t Number(std::string_view key, char end = '\n')
    {
        if (!Take(key) || !Take(" "))
            return 0;
        return Value(end);
    }

    // Up to the next blank.
    std::string_view Word()
    {
        const std::size_t blank = FRest.find(' ');
        if (FFailed || blank == std::string_view::npos)
            return Fail(), std::string_view();
        const std::string_view word = FRest.substr(0, blank);
        FRest.remove_prefix(blank + 1);
        return word;
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

    template <class Number = std::int64_t> Number Value(char end)
    {
        Number value = 0;
        const auto [next, error] =
            std::from_chars(FRest.data(), FRest.data() + FRest.size(), value);
        if (error != std::errc() || next == FRest.data() || next == FRest.data() + FRest.size() ||
            *next != end)
            return Fail(), 0;
        FRest.remove_prefix(static_cast<std::size_t>(next - FRest.data()) + 1);
        return value;
    }

    bool Fail()
    {
        FFailed = true;
        return false;
    }

private:
    std::string_view FRest;
    bool FFailed = false;
};

FileStamp ReadStamp(Reader& in)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = in.Number("stamp", ' ');
    stamp.changed = in.Value(' ');
    stamp.device = in.Value<std::uint64_t>(' ');
    stamp.inode = in.Value<std::uint64_t>('\n');
    return stamp;
}

RecoveredSession ReadSession(Reader& in)
{
    RecoveredSession session;
    session.id = in.Number("session", ' ');
    session.started = in.Value(' ');
    session.charactersAtStart = in.Value(' ');
    const std::int64_t days = in.Value('\n');
    for (std::int64_t i = 0; i < days && !in.Failed(); ++i) {
        in.Take("day ");
        const std::string_view day = in.Word();
        DayTally tally;
        tally.added = in.Value(' ');
        tally.removed = in.Value(' ');
        tally.activeSeconds = in.Value('\n');
        // A day twice would not come back as written.
        if (!IsDayName(day) || !session.days.emplace(day, tally).second)
            in.Fail();
    }
    if (days < 0)
        in.Fail();
    return session;
}

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
    if (const auto& stamp = record.stamp)
        PutNumbers(out, "stamp", stamp->size, stamp->changed, stamp->device, stamp->inode);
    if (const auto& session = record.session) {
        PutNumbers(out, "session", session->id, session->started, session->charactersAtStart,
                   session->days.size());
        for (const auto& [day, tally] : session->days) {
            out += "day ";
            out += day;
            PutNumbers(out, "", tally.added, tally.removed, tally.activeSeconds);
        }
    }
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
    const bool second = bytes.starts_with(SecondHeader);
    Reader in(bytes);
    RecoveryRecord record;
    in.Take(first ? FirstHeader : second ? SecondHeader : Header);
    record.owner.process = in.Number("owner", ' ');
    record.owner.started = in.Value(' ');
    record.owner.window = in.Value('\n');
    record.changedAt = in.Number("changed");
    record.fileName = in.Bytes("file");
    const auto encoding = InRange(in.Number("encoding"), std::size(AllEncodings) - 1);
    const auto lineBreak = InRange(in.Number("linebreak"), LineBreak::Cr);
    const std::int64_t endsWithBreak = in.Number("endsWithBreak");
    record.caret = in.Number("caret");
    if (!first && !second && in.Next("stamp"))
        record.stamp = ReadStamp(in);
    if (!first && !second && in.Next("session"))
        record.session = ReadSession(in);
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
