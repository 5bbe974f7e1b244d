// Reading a number written in decimal digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The text as an unsigned 32-bit decimal number (ASCII digits only, 0 to
// 4294967295); nothing when it is not one.
[[nodiscard]] std::optional<std::uint32_t> TryTextToUInt32(std::string_view text);
