// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes are read in any encoding without harm, and a file whose line breaks are of one kind
// is written back byte for byte: reading it (in the encoding given, or the one its bytes show)
// and encoding the text again gives the file's bytes.
#include "documents/FileReading.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

void CheckRoundTrip(const std::string& bytes, std::optional<TextEncoding> given)
{
    const FileReading read = ReadFileText(bytes, given);
    if (read.encoding == TextEncoding::ShiftJis)
        return; // kept as its bytes
    // A plain UTF-8 reading drops a leading mark that it would not write back.
    if (read.encoding == TextEncoding::Utf8 && bytes.starts_with(Utf8Mark))
        return;
    std::string saved;
    EncodeText(read.decoded, read.encoding, read.lineBreak, read.endsWithBreak, saved);
    if (saved != bytes)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // No CR byte: every break is an LF, so that the breaks are of one kind in every encoding.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::replace(bytes.begin(), bytes.end(), '\r', '\n');
    CheckRoundTrip(bytes, std::nullopt);
    CheckRoundTrip(bytes, TextEncoding::Utf8);
    CheckRoundTrip(std::string(Utf8Mark) + bytes, TextEncoding::Utf8Bom);
    CheckRoundTrip("\xFF\xFE" + bytes, TextEncoding::Utf16Le);
    CheckRoundTrip("\xFE\xFF" + bytes, TextEncoding::Utf16Be);
    CheckRoundTrip(bytes, TextEncoding::EucJp);
    return 0;
}
