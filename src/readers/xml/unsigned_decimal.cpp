// Decimal digits to an unsigned 32-bit number.
#include "readers/xml/unsigned_decimal.h"

#include <limits>

std::optional<std::uint32_t> TryTextToUInt32(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(c - '0');
    if (number > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  }
  return static_cast<std::uint32_t>(number);
}
