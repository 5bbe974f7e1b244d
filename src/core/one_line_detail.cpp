// Escaping and cutting detail text.
#include "core/one_line_detail.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence that starts at text[0], or 0 when it is not one.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 0;
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
  }
  const auto second = static_cast<unsigned char>(text[1]);
  if (lead == 0xE0 && second < 0xA0) return 0;                    // overlong
  if (lead == 0xED && second >= 0xA0) return 0;                   // a surrogate
  if (lead == 0xF0 && second < 0x90) return 0;                    // overlong
  if (lead == 0xF4 && second >= 0x90) return 0;                   // beyond U+10FFFF
  return length;
}

std::string Escape(unsigned char byte) {
  switch (byte) {
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: break;
  }
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02x", byte);
  return text;
}

}  // namespace

std::string OneLineDetail(std::string_view detail) {
  std::string line;
  std::size_t characters = 0;
  while (!detail.empty()) {
    if (characters == kDetailLimit) {
      line += "…";
      break;
    }
    const auto byte = static_cast<unsigned char>(detail[0]);
    const std::size_t length = Utf8SequenceLength(detail);
    if (length == 0 || byte < 0x20 || byte == 0x7F) {
      line += Escape(byte);
      detail.remove_prefix(1);
    } else {
      line.append(detail.substr(0, length));
      detail.remove_prefix(length);
    }
    ++characters;
  }
  return line;
}
