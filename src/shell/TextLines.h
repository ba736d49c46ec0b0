#pragma once
// Cutting a text into lines: a line ends at CR, at LF or at CR LF (one break), and a break at the
// very end of the text opens no further, empty line. Shared by documents and the settings file.

#include <string>
#include <string_view>
#include <vector>

namespace TextLines {

std::vector<std::string> Split(std::string_view text);

} // namespace TextLines
