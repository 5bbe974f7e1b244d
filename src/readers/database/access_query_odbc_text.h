// Text between Windows' UTF-16 and the UTF-8 of the command line and the rows.
#pragma once

#include <string>
#include <string_view>

namespace access_odbc {

// Unpaired surrogates become U+FFFD.
[[nodiscard]] std::string ToUtf8(std::wstring_view text);
// Invalid bytes become U+FFFD. For text of command-line size.
[[nodiscard]] std::wstring FromUtf8(std::string_view text);

}  // namespace access_odbc
