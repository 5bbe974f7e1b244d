// The small text steps the XML readers take on the parser's UTF-8 values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/value_buffer.h"

// A UTF-16 unit never takes more than three UTF-8 bytes, so this many bytes
// of a value give the list all of it that it keeps.
inline constexpr std::size_t kKeptValueBytes = 3 * kValueBufferLimit;

// Without leading and trailing XML white space (space, tab, CR, LF).
[[nodiscard]] std::string_view TrimXmlSpace(std::string_view text);

// Without leading XML white space.
[[nodiscard]] std::string_view TrimXmlSpaceStart(std::string_view text);

// How much of `utf8` a value keeps when `kept` bytes of it are kept already:
// whole characters, up to kKeptValueBytes bytes in all or just past them.
[[nodiscard]] std::size_t KeptValueLength(std::string_view utf8, std::size_t kept = 0);
// The start of the NUL-terminated value that a value keeps, found without
// reading the rest of a long one.
[[nodiscard]] std::string_view KeptValue(const char* utf8);

// Replaces `out` with the UTF-8 value in UTF-16 as the machine list keeps it,
// cut to the value buffer (259 units), reusing its storage; a malformed
// sequence (the parser never hands one over) becomes U+FFFD.
void AssignXmlValue(std::u16string& out, std::string_view utf8);
