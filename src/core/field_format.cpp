// Field value helpers: dotted IPv4, colon MAC, a-to-z upper-casing.
#include "core/field_format.h"

#include <algorithm>


std::u16string FormatIPv4(std::uint32_t address) {
  std::u16string text;
  for (int shift = 0; shift < 32; shift += 8) {
    if (shift != 0) text.push_back(u'.');
    const std::string octet = std::to_string((address >> shift) & 0xFFu);
    text.append(octet.begin(), octet.end());
  }
  return text;
}

std::u16string FormatMacWithColons(std::u16string_view mac) {
  std::u16string text;
  for (std::size_t i = 0; i < mac.size(); i += 2) {
    if (i != 0) text.push_back(u':');
    text.append(mac.substr(i, 2));
  }
  return text;
}

void UpperCaseAToZ(std::u16string& text) {
  for (char16_t& c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
}
