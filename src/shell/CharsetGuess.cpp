#include "CharsetGuess.h"

#include <uchardet.h>

#include <memory>
#include <string>

namespace CharsetGuess {

namespace {

struct DetectorDeleter
{
    void operator()(uchardet_t detector) const noexcept { uchardet_delete(detector); }
};

} // namespace

Japanese Guess(std::string_view bytes)
{
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, DetectorDeleter> detector(
        uchardet_new());
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0)
        return Japanese::Unsure;
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    const std::string charset = name ? name : "";
    if (charset == "SHIFT_JIS" || charset == "CP932" || charset == "WINDOWS-31J")
        return Japanese::ShiftJis;
    if (charset == "EUC-JP")
        return Japanese::EucJp;
    return Japanese::Unsure;
}

} // namespace CharsetGuess
