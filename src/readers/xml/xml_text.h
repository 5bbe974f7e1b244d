// The small text steps the XML readers take on the parser's UTF-8 values.
#pragma once

#include <string>
#include <string_view>

// Without leading and trailing XML white space (space, tab, CR, LF).
[[nodiscard]] std::string_view TrimXmlSpace(std::string_view text);

// Replaces `out` with the UTF-8 text in UTF-16, reusing its storage; a
// malformed sequence (the parser never hands one over) becomes U+FFFD.
void AssignUtf8(std::u16string& out, std::string_view utf8);
