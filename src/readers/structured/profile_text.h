// The characters of a profile (INI) file, from its bytes.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"

// A UTF-16LE, UTF-16BE or UTF-8 byte-order mark says how the rest is encoded
// (the mark itself is dropped); any other file is in the ANSI code page. NUL
// characters are kept: the profile parser gives them their meaning.
[[nodiscard]] std::u16string DecodeProfileText(std::string_view bytes,
                                               const platform::CodePage& ansi);
