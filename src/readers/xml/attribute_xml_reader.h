// Sources that hold each machine in the attributes of one element (types 5, 6, 8, 9).
#pragma once

#include <string_view>

#include "core/machine_rules.h"
#include "core/read_outcome.h"
#include "core/source_request.h"

struct AttributeXmlLayout {
  static constexpr std::string_view kFamily = "xml_attribute";

  // Set: the file is read whole in the ANSI code page and cut after the first
  // "</PXD>"-like closing tag; unset: it is loaded as XML declares itself.
  std::u16string_view ansiTextCutAfter;
  std::u16string_view containerPath;  // empty: the root element holds the machines
  std::u16string_view nameAttribute;
  std::u16string_view macAttribute;
  std::u16string_view ipAttribute;
  MachineRules rules;
};

[[nodiscard]] ReadOutcome ReadAttributeXmlSource(const SourceRequest& request,
                                                 const AttributeXmlLayout& layout);

[[nodiscard]] inline ReadOutcome ReadSource(const SourceRequest& request,
                                            const AttributeXmlLayout& layout) {
  return ReadAttributeXmlSource(request, layout);
}
