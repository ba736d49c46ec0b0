// Any bytes read and saved again come back as the same characters in the same number of bytes
// (a duplicate pair may come back as the pair Windows writes for its character), and saving
// never meets a character it cannot write. The UTF-8 forms must not fail on any input either.
#include "analysis/Cp932Codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const Cp932::LineBreaks breaks : {Cp932::LineBreaks::Keep, Cp932::LineBreaks::Convert}) {
        const std::u16string text = Cp932::Decode(bytes, breaks);
        std::string saved;
        if (!Cp932::Encode(text, saved, breaks))
            std::abort();
        if (Cp932::Decode(saved, breaks) != text)
            std::abort();
        if (breaks == Cp932::LineBreaks::Keep && saved.size() != bytes.size())
            std::abort();
    }
    const std::string utf8 = Cp932::DecodeToUtf8(bytes);
    std::string fromUtf8;
    const bool complete = Cp932::EncodeFromUtf8(bytes, fromUtf8);
    if (complete && !Cp932::IsValidUtf8(bytes))
        std::abort();
    (void)utf8;
    return 0;
}
