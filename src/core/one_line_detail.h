// Detail text (a library's words, quoting the source) made safe for one line.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::size_t kDetailLimit = 300;  // characters

// Control characters (below U+0020, U+007F) become escapes ("\n", "\t",
// "\x1b"), bytes that are not UTF-8 become "\xNN", and text beyond
// kDetailLimit characters is cut and ends in "…".
[[nodiscard]] std::string OneLineDetail(std::string_view detail);
