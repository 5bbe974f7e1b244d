// The ClientConfig.xml reader.
#include "readers/xml/client_config_reader.h"

#include <cstdint>

#include "core/field_format.h"
#include "readers/xml/child_element_text.h"
#include "readers/xml/xml_source.h"

namespace {

// The file holds the address as one number whose most significant byte is the
// first octet; FormatIPv4 wants the first octet in the lowest byte.
std::uint32_t ToNetworkOrder(std::uint32_t number) {
  return (number >> 24) | ((number >> 8) & 0xFF00u) | ((number << 8) & 0xFF0000u) |
         (number << 24);
}

// A machine without a Name, Mac or numeric IP gives no entry.
void AddMachine(const ClientConfigLayout& layout, const XmlNode& machine, ReadOutcome& outcome) {
  std::optional<std::u16string> name = FirstChildText(machine, u"Name");
  std::optional<std::u16string> mac = FirstChildText(machine, u"Mac");
  const std::optional<std::u16string> ipText = FirstChildText(machine, u"IP");
  const std::optional<std::uint32_t> ip = ipText ? TryTextToUInt32(*ipText) : std::nullopt;
  if (!name || !mac || !ip || mac->empty()) {
    outcome.skipped.Add(SkipReason::LackingValue);
    return;
  }
  ApplyMachineRules(layout.rules, *mac, *name);
  outcome.machines.Add(*mac, FormatIPv4(ToNetworkOrder(*ip)), *name);
}

}  // namespace

ReadOutcome ReadClientConfigSource(const SourceRequest& request,
                                   const ClientConfigLayout& layout) {
  const LoadedXml loaded = LoadAnsiXmlSourceFile(request);
  if (loaded.failure) return ReadOutcome::Failed(*loaded.failure);
  ReadOutcome outcome;
  const XmlNodeList machines = loaded.document->selectNodes(layout.machinesPath);
  for (std::int32_t i = 0; i < machines.length(); ++i) {
    AddMachine(layout, machines.item(i), outcome);
  }
  return outcome;
}
