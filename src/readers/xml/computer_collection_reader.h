// I8 sources: machines as Computer elements below Collections (type 2).
#pragma once

#include <string_view>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

struct ComputerCollectionLayout {
  static constexpr std::string_view kFamily = "xml_computer_collection";

  std::u16string_view machinesPath;  // from the root: the machine elements
  MachineRules rules;
};

[[nodiscard]] ReadOutcome ReadComputerCollectionSource(const SourceRequest& request,
                                                       const ComputerCollectionLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const ComputerCollectionLayout& layout) {
  return ReadComputerCollectionSource(request, layout);
}
