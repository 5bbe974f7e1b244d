// The core's UTF-8 texts as the UTF-16 that Windows' wide functions take.
#pragma once

#include <string>
#include <string_view>

// Bytes that are no UTF-8 become U+FFFD.
[[nodiscard]] std::wstring Utf16FromUtf8(std::string_view text);
