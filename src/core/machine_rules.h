// How a type prepares the MAC and the name before a machine is listed.
#pragma once

#include <string>
#include <string_view>

enum class MacForm {
  AsRead,
  ColonAfterEachPair,  // ":" after every pair of characters, the characters unexamined
  DashesAsColons,      // every "-" becomes ":"
};

struct MachineRules {
  MacForm mac = MacForm::AsRead;
  bool upperCase = true;  // a to z become A to Z in the MAC and the name
};

// The MAC in its form. Empty stays empty and a MAC that is not empty stays so.
[[nodiscard]] std::u16string FormatMac(std::u16string_view mac, MacForm form);

// Applies the MAC form and the upper-casing to the values in place.
void ApplyMachineRules(const MachineRules& rules, std::u16string& mac, std::u16string& name);
