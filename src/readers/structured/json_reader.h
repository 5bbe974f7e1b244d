// 信佑6's JSON machine list: the array "macList" (type 16).
#pragma once

#include <string_view>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

struct JsonLayout {
  static constexpr std::string_view kFamily = "json";

  std::string_view listMember;  // the root object's array of machines
  std::string_view macMember;   // the members of each machine object
  std::string_view ipMember;
  std::string_view nameMember;  // UTF-8; the MAC and IP are read in the ANSI code page
  MachineRules rules;
};

[[nodiscard]] ReadOutcome ReadJsonSource(const SourceRequest& request, const JsonLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const JsonLayout& layout) {
  return ReadJsonSource(request, layout);
}
