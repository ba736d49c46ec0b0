// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextBytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr std::size_t Spare = 2;
} // namespace

TextBytes TextBytes::Reserve(std::size_t capacity) noexcept
{
    TextBytes bytes;
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    if (capacity > SIZE_MAX / 2)
        return bytes;
    const std::size_t length = (capacity + Spare + page - 1) / page * page;
    void* base =
        ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED)
        return bytes;
    // Not asked for large pages: they save page faults on a novel, but the system may stall for
    // many times that while it finds them.
    bytes.FMap = base;
    bytes.FMapLength = length;
    bytes.FLength = capacity;
    bytes.FWritable = true;
    return bytes;
}

TextBytes::TextBytes(TextBytes&& other) noexcept
    : FString(std::move(other.FString)), FMap(std::exchange(other.FMap, nullptr)),
      FMapLength(std::exchange(other.FMapLength, 0)), FLength(std::exchange(other.FLength, 0)),
      FWritable(std::exchange(other.FWritable, false))
{
}

TextBytes& TextBytes::operator=(TextBytes&& other) noexcept
{
    if (this != &other) {
        Release();
        FString = std::move(other.FString);
        FMap = std::exchange(other.FMap, nullptr);
        FMapLength = std::exchange(other.FMapLength, 0);
        FLength = std::exchange(other.FLength, 0);
        FWritable = std::exchange(other.FWritable, false);
    }
    return *this;
}

TextBytes::~TextBytes()
{
    Release();
}

void TextBytes::Release() noexcept
{
    if (FMap != nullptr)
        ::munmap(FMap, FMapLength);
    FMap = nullptr;
    FWritable = false;
}

void TextBytes::CutTo(std::size_t length) noexcept
{
    if (IsMapped())
        FLength = std::min(FLength, length);
    else if (length < FString.size())
        FString.resize(length);
}

void TextBytes::AppendInPlace(std::string_view bytes)
{
    if (!IsMapped()) {
        FString += bytes;
        return;
    }
    // The room has Spare bytes after its text's last one; a cut text has more.
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t first = FLength / page * page;
    const std::size_t end = FLength + bytes.size();
    char* const base = static_cast<char*>(FMap);
    if (end > FMapLength || ::mprotect(base + first, (end + page - 1) / page * page - first,
                                       PROT_READ | PROT_WRITE) != 0) {
        FString = TakeString();
        FString += bytes;
        return;
    }
    std::memcpy(base + FLength, bytes.data(), bytes.size());
    FLength += bytes.size();
}

std::string TextBytes::TakeString()
{
    if (!IsMapped())
        return std::move(FString);
    std::string bytes(View());
    Release();
    FLength = 0;
    return bytes;
}
