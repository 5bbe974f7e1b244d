// The source types a machine list can be converted from.
#pragma once

#include <cstddef>
#include <cstdint>

// The value is the type's position in the dialog's type list.
enum class DisklessType : std::uint8_t {
  Ald = 0,
  Ccboot = 1,
  I8 = 2,
  Mzd = 3,
  Obm = 4,
  Pxd = 5,
  Sanboot = 6,
  Vhd = 7,
  Kuaiba = 8,
  KuaibaLvcha = 9,
  Ruiqi = 10,
  Wangwei9 = 11,
  Wangwei7 = 12,
  Wangwei8 = 13,
  Wangzhong = 14,
  Xinyou = 15,
  Xinyou6 = 16,
  FanggeziV5 = 17,
  Yileyou = 18,
  Yiyou = 19,
  Shunwupan = 20,
  Lvhua = 21,
};

inline constexpr std::size_t kDisklessTypeCount = 22;

constexpr std::size_t IndexOf(DisklessType type) { return static_cast<std::size_t>(type); }
