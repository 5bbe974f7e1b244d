// The Access database source (type 12, the computer table of Data.mdb).
#pragma once

#include <string_view>

#include <chrono>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

struct AccessLayout {
  static constexpr std::string_view kFamily = "access";

  const char* sql;
  const char* nameField;
  const char* ipField;
  const char* macField;
  std::chrono::milliseconds timeLimit;  // how long one read may take before it counts as failed
  MachineRules rules;
};

[[nodiscard]] ReadOutcome ReadAccessSource(const SourceRequest& request,
                                           const AccessLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const AccessLayout& layout) {
  return ReadAccessSource(request, layout);
}
