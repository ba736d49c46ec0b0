#pragma once
// Cutting a text into lines: a line ends at CR, at LF or at CR LF (one break), and a break at the
// very end of the text opens no further, empty line. Shared by documents and the settings file.

#include <string>
#include <string_view>
#include <vector>

namespace TextLines {

std::vector<std::string> Split(std::string_view text);

// The text up to its first NUL with every line followed by CR LF, appended to `out` in one pass;
// the lines are those of Split.
void AppendWithCrLf(std::string_view text, std::string& out);

// True when the text has no NUL and every line break in it is CR LF: AppendWithCrLf then gives it
// back unchanged, or with CR LF added when its last line has none.
bool HasOnlyCrLfBreaks(std::string_view text) noexcept;

} // namespace TextLines
