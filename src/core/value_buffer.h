// The fixed 260-unit value buffer that several sources read their values into.
#pragma once

#include <array>
#include <string>
#include <string_view>

inline constexpr std::size_t kValueBufferSize = 260;
inline constexpr std::size_t kValueBufferLimit = kValueBufferSize - 1;

using ValueBuffer = std::array<char16_t, kValueBufferSize>;

// Cuts a value to what the buffer holds (259 units), never splitting a
// surrogate pair (then 258).
[[nodiscard]] std::u16string_view CutToValueBuffer(std::u16string_view value);

// The buffer's text up to its NUL.
[[nodiscard]] std::u16string_view ValueBufferText(const ValueBuffer& buffer);
