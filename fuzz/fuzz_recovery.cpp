// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes in the recovery folder are read without harm: a file that reads as a record writes
// back as one that reads the same.
#include "documents/RecoveryFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto record = ParseRecovery({reinterpret_cast<const char*>(data), size});
    if (record && ParseRecovery(FormatRecovery(*record)) != record)
        std::abort();
    return 0;
}
