// 网维 ClientConfig.xml sources: machines as ClientConfig elements with child values (type 11).
#pragma once

#include <string_view>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

struct ClientConfigLayout {
  static constexpr std::string_view kFamily = "xml_client_config";

  std::u16string_view machinesPath;  // from the root: the machine elements
  MachineRules rules;
};

[[nodiscard]] ReadOutcome ReadClientConfigSource(const SourceRequest& request,
                                                 const ClientConfigLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const ClientConfigLayout& layout) {
  return ReadClientConfigSource(request, layout);
}
