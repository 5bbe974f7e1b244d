// CCBOOT db.XML sources: machines as children of server/initiator (type 1).
#pragma once

#include <string_view>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

struct InitiatorLayout {
  static constexpr std::string_view kFamily = "xml_initiator";

  std::u16string_view containerPath;  // the element whose child elements are machines
  MachineRules rules;
};

[[nodiscard]] ReadOutcome ReadInitiatorSource(const SourceRequest& request,
                                              const InitiatorLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const InitiatorLayout& layout) {
  return ReadInitiatorSource(request, layout);
}
