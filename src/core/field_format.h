// Small conversions of single field values shared by the readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/machine_rules.h"

// The address's lowest byte is the first octet: bytes C0 A8 00 15 read as a
// little-endian number give "192.168.0.21".
[[nodiscard]] std::u16string FormatIPv4(std::uint32_t address);

// ":" after every pair of characters, the characters themselves unexamined.
[[nodiscard]] std::u16string FormatMacWithColons(std::u16string_view mac);

// a to z become A to Z; every other character stays, whatever the locale.
void UpperCaseAToZ(std::u16string& text);
