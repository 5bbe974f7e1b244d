// Field value helpers: dotted IPv4, the MAC forms, a-to-z upper-casing.
#include "core/field_format.h"

#include <algorithm>

#include "core/ascii.h"

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

namespace {

// The same as FormatMacWithColons, in the string's own room.
void InsertColonAfterEachPair(std::u16string& mac) {
  const std::size_t size = mac.size();
  if (size <= 2) return;
  mac.resize(size + (size - 1) / 2);
  // From the back, so that nothing is overwritten before it has moved: the
  // character at i goes to i + i / 2, a colon before each even i but the first.
  for (std::size_t i = size; i-- > 1;) {
    mac[i + i / 2] = mac[i];
    if (i % 2 == 0) mac[i + i / 2 - 1] = u':';
  }
}

}  // namespace

void UpperCaseAToZ(std::u16string& text) {
  for (char16_t& c : text) c = AsciiUpper(c);
}

std::u16string FormatMac(std::u16string_view mac, MacForm form) {
  switch (form) {
    case MacForm::ColonAfterEachPair:
      return FormatMacWithColons(mac);
    case MacForm::DashesAsColons: {
      std::u16string text(mac);
      std::replace(text.begin(), text.end(), u'-', u':');
      return text;
    }
    case MacForm::AsRead:
      break;
  }
  return std::u16string(mac);
}

void ApplyMachineRules(const MachineRules& rules, std::u16string& mac, std::u16string& name) {
  if (rules.mac == MacForm::DashesAsColons) {
    std::replace(mac.begin(), mac.end(), u'-', u':');
  } else if (rules.mac == MacForm::ColonAfterEachPair) {
    InsertColonAfterEachPair(mac);
  }
  if (!rules.upperCase) return;
  UpperCaseAToZ(mac);
  UpperCaseAToZ(name);
}
