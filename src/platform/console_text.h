// Text for the user on standard output or standard error.
#pragma once

#include <cstdio>
#include <string_view>

namespace platform {

// Writes UTF-8 text to the stream: as it is to a file or a pipe; to a Windows
// console as wide characters, so that it reads right whatever the console's
// code page. False when the text could not be written.
bool WriteText(std::FILE* stream, std::string_view utf8);

}  // namespace platform
