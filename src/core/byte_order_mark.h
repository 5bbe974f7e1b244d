// The byte-order marks a source may start with, and which one it starts with.
#pragma once

#include <array>
#include <optional>
#include <string_view>

enum class TextEncoding { Utf8, Utf16Le, Utf16Be };

struct ByteOrderMark {
  TextEncoding encoding;
  std::string_view bytes;
};

inline constexpr std::array kByteOrderMarks = {
    ByteOrderMark{TextEncoding::Utf8, "\xEF\xBB\xBF"},
    ByteOrderMark{TextEncoding::Utf16Le, "\xFF\xFE"},
    ByteOrderMark{TextEncoding::Utf16Be, "\xFE\xFF"},
};

[[nodiscard]] constexpr std::optional<ByteOrderMark> LeadingByteOrderMark(std::string_view bytes) {
  for (const ByteOrderMark& mark : kByteOrderMarks) {
    if (bytes.starts_with(mark.bytes)) return mark;
  }
  return std::nullopt;
}

[[nodiscard]] constexpr std::string_view ByteOrderMarkBytes(TextEncoding encoding) {
  for (const ByteOrderMark& mark : kByteOrderMarks) {
    if (mark.encoding == encoding) return mark.bytes;
  }
  return {};
}
