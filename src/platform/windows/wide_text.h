// UTF-8 and the wide strings of the Windows API.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// What does not convert becomes U+FFFD.
[[nodiscard]] std::wstring WideFromUtf8(std::string_view bytes);
[[nodiscard]] std::string Utf8FromWide(std::wstring_view text);

}  // namespace platform
