// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes read and saved again come back as the same characters in the same number of bytes
// (a duplicate pair may come back as the pair Windows writes for its character), and saving
// never meets a character it cannot write. The same input taken as UTF-16 text or as UTF-8 must
// save without writing past what the codec sized, whatever it holds.
#include "analysis/Cp932Codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void RoundTrip(std::string_view bytes, Cp932::LineBreaks breaks)
{
    const std::u16string text = Cp932::Decode(bytes, breaks);
    std::string saved;
    Require(Cp932::Encode(text, saved, breaks));
    Require(Cp932::Decode(saved, breaks) == text);
    if (breaks == Cp932::LineBreaks::Keep)
        Require(saved.size() == bytes.size());
}

void SaveAnyText(const std::uint8_t* data, std::size_t size, Cp932::LineBreaks breaks)
{
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    std::string saved = "x";
    Cp932::Encode(text, saved, breaks);
    Require(saved.size() <= 1 + 2 * text.size());

    const std::string_view utf8(reinterpret_cast<const char*>(data), size);
    std::string fromUtf8;
    const bool complete = Cp932::EncodeFromUtf8(utf8, fromUtf8, breaks);
    Require(!complete || Cp932::IsValidUtf8(utf8));
    Require(fromUtf8.size() <= 2 * size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const Cp932::LineBreaks breaks : {Cp932::LineBreaks::Keep, Cp932::LineBreaks::Convert}) {
        RoundTrip(bytes, breaks);
        SaveAnyText(data, size, breaks);
        Require(Cp932::DecodeToUtf8(bytes, breaks).size() <= 3 * size);
    }
    return 0;
}
