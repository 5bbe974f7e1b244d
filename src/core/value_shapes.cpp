// MAC and IPv4 shape checks, digit by digit.
#include "core/value_shapes.h"

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

}  // namespace

bool LooksLikeMac(std::string_view text) {
  std::size_t digits = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsHexDigit(c)) {
      ++digits;
    } else if ((c == ':' || c == '-') && digits % 2 == 0 && digits > 0 && i + 1 < text.size() &&
               IsHexDigit(text[i + 1])) {
      continue;
    } else {
      return false;
    }
  }
  return digits == 12;
}

bool LooksLikeIPv4(std::string_view text) {
  int octets = 0;
  while (true) {
    std::size_t digits = 0;
    unsigned value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
      value = value * 10 + static_cast<unsigned>(text[digits] - '0');
      if (++digits > 3) return false;
    }
    if (digits == 0 || value > 255) return false;
    ++octets;
    text.remove_prefix(digits);
    if (text.empty()) return octets == 4;
    if (text.front() != '.' || octets == 4) return false;
    text.remove_prefix(1);
  }
}
