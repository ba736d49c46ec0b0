// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileReading.h"

FileReading ReadFileText(std::string bytes, std::optional<TextEncoding> given)
{
    const EncodingGuess guess = ChooseEncoding(bytes, given);
    FileReading read;
    read.encoding = guess.encoding;
    read.notUtf8 = guess.notUtf8;
    if (read.encoding == TextEncoding::ShiftJis) {
        const FileBreaks breaks = ShiftJisBreaks(bytes);
        read.lineBreak = breaks.lineBreak;
        read.endsWithBreak = breaks.endsWithBreak;
        read.shiftJis = std::move(bytes);
        return read;
    }
    DecodedText decoded = DecodeText(bytes, read.encoding);
    std::string().swap(bytes); // the file's bytes are no longer needed
    read.lineBreak = decoded.lineBreak;
    read.endsWithBreak = decoded.endsWithBreak;
    read.decoded = std::move(decoded.text);
    return read;
}

FileReader::Read ReadTextBytes(const std::string& path, std::optional<TextEncoding> given,
                               bool standardInput, const FileReader::Opened& opened)
{
    using FileReader::NulEnd;
    const bool utf16 = given == TextEncoding::Utf16Le || given == TextEncoding::Utf16Be;
    const NulEnd nul = utf16 ? NulEnd::Unit : given ? NulEnd::Byte : NulEnd::ByMark;
    return FileReader::ReadFile(path, {nul, standardInput}, opened);
}

FileReading ReadTextFile(const std::string& path, std::optional<TextEncoding> given,
                         const FileReader::Opened& opened)
{
    FileReader::Read text = ReadTextBytes(path, given, false, opened);
    FileReading read = ReadFileText(std::move(text.bytes), given);
    read.nulAt = text.nulAt;
    return read;
}
