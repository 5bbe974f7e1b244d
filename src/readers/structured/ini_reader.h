// Sources kept in a profile (INI) file, one section per machine (types 3, 4, 10, 14).
#pragma once

#include <cstddef>
#include <string_view>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

struct IniField {
  std::u16string_view key;  // empty: the section's own name
  bool skipWhenEmpty;       // a section whose value is empty gives no machine
};

inline constexpr std::u16string_view kSectionName{};

struct IniLayout {
  static constexpr std::string_view kFamily = "ini";

  // The section-name list buffer, in characters: the names, each with its
  // NUL, must take fewer than this less two.
  std::size_t sectionListCapacity;
  IniField mac;
  IniField ip;
  IniField name;
  MachineRules rules;
};

[[nodiscard]] ReadOutcome ReadIniSource(const SourceRequest& request, const IniLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request, const IniLayout& layout) {
  return ReadIniSource(request, layout);
}
