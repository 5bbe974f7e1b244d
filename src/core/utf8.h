// UTF-8 <-> UTF-16 conversions; invalid input becomes U+FFFD, never an error.
#pragma once

#include <string>
#include <string_view>

#include "core/value_buffer.h"

// Up to the text's first NUL, as the Windows conversion with length -1 does.
[[nodiscard]] std::string WideToUtf8(std::u16string_view text);

// Up to the first NUL byte.
[[nodiscard]] std::u16string Utf8ToWide(std::string_view bytes);

// Into the caller's fixed buffer; a longer value is cut to kValueBufferLimit.
void Utf8ToWide(const char* bytes, ValueBuffer& buffer);
// The text the buffer would hold, into `value`, whose room is reused.
void Utf8ToValue(const char* bytes, std::u16string& value);

// The whole text, NULs included.
[[nodiscard]] std::string Utf16ToUtf8Whole(std::u16string_view text);
