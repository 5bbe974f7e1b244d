// Cutting values to the fixed value buffer.
#include "core/value_buffer.h"

#include <algorithm>

std::u16string_view CutToValueBuffer(std::u16string_view value) {
  if (value.size() <= kValueBufferLimit) return value;
  std::size_t length = kValueBufferLimit;
  const char16_t last = value[length - 1];
  if (last >= 0xD800 && last <= 0xDBFF) --length;  // a lead surrogate whose partner is cut off
  return value.substr(0, length);
}

std::u16string_view ValueBufferText(const ValueBuffer& buffer) {
  const auto nul = std::find(buffer.begin(), buffer.end(), u'\0');
  return {buffer.data(), static_cast<std::size_t>(nul - buffer.begin())};
}
