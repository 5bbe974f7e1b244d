// Whether a value has the shape of a MAC or an IPv4 address: what tells a
// machine's record from other text that happens to sit where one would.
#pragma once

#include <string_view>

// Twelve hex digits, in pairs that may be parted by ":" or "-".
[[nodiscard]] bool LooksLikeMac(std::string_view text);

// Four decimal octets of at most 255, parted by dots.
[[nodiscard]] bool LooksLikeIPv4(std::string_view text);
