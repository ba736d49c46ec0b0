// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utf8CountingForm.h"

#include "analysis/Cp932Codec.h"
#include "analysis/SideBySide.h"

#include <cstring>

namespace {

// Where the second half begins: the line start after the first CR LF from the middle on; 0 when
// the text is made in one go.
std::size_t SecondHalf(std::string_view utf8)
{
    return HalvesMeetAt(utf8, [](std::size_t) { return true; });
}

// The two halves at once, the second in a thread of its own, written apart in the room and then
// joined. The halves meet at a line start, so that each answers for its own line breaks.
Cp932::CountingForm EncodeInHalves(std::string_view utf8, std::size_t second, char* out)
{
    const std::string_view firstHalf = utf8.substr(0, second);
    const std::string_view secondHalf = utf8.substr(second);
    char* const secondOut = out + Cp932::CountingFormRoom(firstHalf.size());
    Cp932::CountingForm made;
    Cp932::CountingForm secondMade;
    const bool sideBySide = RunSideBySide(
        [&] { made = Cp932::EncodeFromUtf8ForCounting(firstHalf, out); },
        [&]() noexcept { secondMade = Cp932::EncodeFromUtf8ForCounting(secondHalf, secondOut); });
    if (!sideBySide)
        return Cp932::EncodeFromUtf8ForCounting(utf8, out); // no thread to be had: in one go
    std::memmove(out + made.length, secondOut, secondMade.length);
    made.length += secondMade.length;
    made.missing += secondMade.missing;
    made.onlyCrLfBreaks = made.onlyCrLfBreaks && secondMade.onlyCrLfBreaks;
    return made;
}

} // namespace

std::optional<Utf8CountingForm> MakeUtf8CountingForm(std::string_view utf8)
{
    // The halves' rooms, one after the other, take a byte more than one room for the whole.
    TextBytes room = TextBytes::Reserve(Cp932::CountingFormRoom(utf8.size()) + 1);
    char* const out = room.Writable();
    if (out == nullptr)
        return std::nullopt;
    const std::size_t second = SecondHalf(utf8);
    const Cp932::CountingForm made = second == 0 ? Cp932::EncodeFromUtf8ForCounting(utf8, out)
                                                 : EncodeInHalves(utf8, second, out);
    if (!made.onlyCrLfBreaks)
        return std::nullopt;
    room.CutTo(made.length);
    if (made.length > 0 && !room.View().ends_with("\r\n"))
        room.AppendInPlace("\r\n");
    return Utf8CountingForm{std::move(room), made.missing};
}
