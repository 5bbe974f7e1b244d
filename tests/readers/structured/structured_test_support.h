// Small builders shared by the structured-file reader tests.
#pragma once

#include <string>
#include <string_view>

#include "core/machine_list_file.h"

inline std::u16string Entry(std::u16string_view mac, std::u16string_view ip,
                            std::u16string_view name) {
  std::u16string text;
  AppendMachineEntry(text, mac, ip, name);
  return text;
}
