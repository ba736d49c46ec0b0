// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The bytes of a text read for counting: a string of its own, or room made for a text written in
// place (no copy). Two bytes to spare after the text, so that the CR LF of its last line goes in
// place.

#include <cstddef>
#include <string>
#include <string_view>

class TextBytes
{
public:
    TextBytes() = default;
    explicit TextBytes(std::string bytes) noexcept : FString(std::move(bytes)) {}
    // Room for a text of up to `capacity` bytes made in place: write at Writable(), then CutTo
    // the length written. Only the pages written are ever used, however large the room. Maps
    // nothing (IsMapped false) when the system refuses.
    static TextBytes Reserve(std::size_t capacity) noexcept;
    TextBytes(TextBytes&& other) noexcept;
    TextBytes& operator=(TextBytes&& other) noexcept;
    TextBytes(const TextBytes&) = delete;
    TextBytes& operator=(const TextBytes&) = delete;
    ~TextBytes();

    bool IsMapped() const noexcept { return FMap != nullptr; }
    std::string_view View() const noexcept
    {
        return IsMapped() ? std::string_view(static_cast<const char*>(FMap), FLength) : FString;
    }
    // The start of reserved room; null for any other text.
    char* Writable() noexcept { return FWritable ? static_cast<char*>(FMap) : nullptr; }
    // The text ends after its first `length` bytes (no more than it has).
    void CutTo(std::size_t length) noexcept;
    // Adds a mapped text's last line break (two bytes at most); a string just grows.
    void AppendInPlace(std::string_view bytes);
    // The bytes as a string of their own (copied from reserved room).
    std::string TakeString();

private:
    void Release() noexcept;

    std::string FString;
    void* FMap = nullptr;
    std::size_t FMapLength = 0; // the whole mapping, spare bytes and page rounding included
    std::size_t FLength = 0;    // the text in it
    bool FWritable = false;     // reserved room, written in place
};
