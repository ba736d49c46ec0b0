// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecoveryFile.h"

#include <charconv>
#include <iterator>

namespace {

constexpr std::string_view Header = "KOTONAMI-RECOVERY 1\n";

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
    out.reserve(Header.size() + 256 + record.fileName.size() + record.text.size() +
                2 * record.marked.size());
    out += "owner ";
    out += std::to_string(record.owner.process) + ' ' + std::to_string(record.owner.started) + ' ' +
           std::to_string(record.owner.window) + '\n';
    PutNumber(out, "changed", record.changedAt);
    PutBytes(out, "file", record.fileName);
    PutNumber(out, "encoding", static_cast<std::int64_t>(record.encoding));
    PutNumber(out, "linebreak", static_cast<std::int64_t>(record.lineBreak));
    PutNumber(out, "endsWithBreak", record.endsWithBreak ? 1 : 0);
    PutNumber(out, "caret", record.caret);
    PutBytes(out, "marked", Utf16Bytes(record.marked));
    PutBytes(out, "text", record.text);
    return out;
}

std::optional<RecoveryRecord> ParseRecovery(std::string_view bytes)
{
    Reader in(bytes);
    RecoveryRecord record;
    in.Take(Header);
    record.owner.process = in.Number("owner", ' ');
    record.owner.started = in.Value(' ');
    record.owner.window = in.Value('\n');
    record.changedAt = in.Number("changed");
    record.fileName = in.Bytes("file");
    const auto encoding = InRange(in.Number("encoding"), std::size(AllEncodings) - 1);
    const auto lineBreak = InRange(in.Number("linebreak"), LineBreak::Cr);
    const std::int64_t endsWithBreak = in.Number("endsWithBreak");
    record.caret = in.Number("caret");
    const std::string_view marked = in.Bytes("marked");
    record.text = in.Bytes("text");
    if (in.Failed() || !in.AtEnd() || !encoding || !lineBreak || endsWithBreak < 0 ||
        endsWithBreak > 1 || marked.size() % 2 != 0)
        return std::nullopt;
    record.encoding = AllEncodings[*encoding];
    record.lineBreak = *lineBreak;
    record.endsWithBreak = endsWithBreak == 1;
    for (std::size_t i = 0; i < marked.size(); i += 2)
        record.marked += static_cast<char16_t>(static_cast<unsigned char>(marked[i]) |
                                               static_cast<unsigned char>(marked[i + 1]) << 8);
    return record;
}
