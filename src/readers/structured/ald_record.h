// The 348-byte workstation record of ALD's wsk.dat: where each field lies.
#pragma once

#include <cstddef>

namespace ald {

inline constexpr std::size_t kRecordSize = 348;

// Four bytes in network order: the first byte is the first octet.
inline constexpr std::size_t kIpOffset = 20;
inline constexpr std::size_t kIpSize = 4;

// Text in the ANSI code page, ending at a NUL or at the end of the field.
inline constexpr std::size_t kMacOffset = 44;
inline constexpr std::size_t kMacSize = 12;
inline constexpr std::size_t kNameOffset = 60;
inline constexpr std::size_t kNameSize = 16;

}  // namespace ald
