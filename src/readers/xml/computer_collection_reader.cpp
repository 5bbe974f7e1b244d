// The I8 Computer collection reader.
#include "readers/xml/computer_collection_reader.h"

#include "readers/xml/child_element_text.h"
#include "readers/xml/xml_source.h"

namespace {

// A machine without its Name attribute or MacAddr, or without an IPAddr when
// NetAddr gives no address, gives no entry. An empty IPAddr gives an empty IP.
void AddMachine(const ComputerCollectionLayout& layout, const XmlElement& machine,
                ReadOutcome& outcome) {
  XmlAttributeValue name = machine.getAttribute(u"Name");
  std::optional<std::u16string> mac = FirstChildText(machine, u"MacAddr");
  std::optional<std::u16string> ip;
  if (name && mac) {
    ip = FirstChildText(machine, u"NetAddr");
    if (!ip || ip->empty()) ip = FirstChildText(machine, u"IPAddr");
  }
  if (!ip || mac->empty()) {
    outcome.skipped.Add(SkipReason::LackingValue);
    return;
  }
  ApplyMachineRules(layout.rules, *mac, *name);
  outcome.machines.Add(*mac, *ip, *name);
}

}  // namespace

ReadOutcome ReadComputerCollectionSource(const SourceRequest& request,
                                         const ComputerCollectionLayout& layout) {
  const LoadedXml loaded = LoadXmlSourceFile(request);
  if (loaded.failure) return ReadOutcome::Failed(*loaded.failure);
  ReadOutcome outcome;
  const XmlNodeList machines = loaded.document->selectNodes(layout.machinesPath);
  for (std::int32_t i = 0; i < machines.length(); ++i) {
    AddMachine(layout, machines.item(i).asElement(), outcome);
  }
  return outcome;
}
