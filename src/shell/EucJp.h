// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// EUC-JP <-> UTF-16 through the system's iconv. Lossless like the Shift-JIS codec: a sequence that
// makes no EUC-JP character becomes byte escapes (analysis/ByteEscape.h), and such an escape is
// written back as its byte.

#include <string>
#include <string_view>

namespace EucJp {

// Appends the decoded text to `out`.
void Decode(std::string_view bytes, std::u16string& out);

// Appends the encoded bytes to `out`. Returns false when some character had no EUC-JP form and
// was written as "?".
bool Encode(std::u16string_view text, std::string& out);

} // namespace EucJp
