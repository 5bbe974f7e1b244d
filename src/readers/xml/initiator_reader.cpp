// The CCBOOT initiator reader.
#include "readers/xml/initiator_reader.h"

#include "readers/xml/child_element_text.h"
#include "readers/xml/xml_source.h"

namespace {

// Each value is the "value" attribute of a child element; a machine lacking
// one of the three gives no entry.
void AddMachine(const InitiatorLayout& layout, const XmlElement& machine, ReadOutcome& outcome) {
  XmlAttributeValue name = FirstChildAttribute(machine, u"name", u"value");
  XmlAttributeValue mac = name ? FirstChildAttribute(machine, u"mac", u"value") : std::nullopt;
  const XmlAttributeValue ip = mac ? FirstChildAttribute(machine, u"ip", u"value") : std::nullopt;
  if (!ip || mac->empty()) {
    outcome.skipped.Add(SkipReason::LackingValue);
    return;
  }
  ApplyMachineRules(layout.rules, *mac, *name);
  outcome.machines.Add(*mac, *ip, *name);
}

}  // namespace

ReadOutcome ReadInitiatorSource(const SourceRequest& request, const InitiatorLayout& layout) {
  const LoadedXml loaded = LoadXmlSourceFile(request);
  if (loaded.failure) return ReadOutcome::Failed(*loaded.failure);
  const XmlNode initiator =
      loaded.document->documentElement().selectSingleNode(layout.containerPath);
  if (!initiator) return ReadOutcome::Failed(MissingXmlElement(layout.containerPath));
  ReadOutcome outcome;
  const XmlNodeList machines = initiator.childNodes();
  for (std::int32_t i = 0; i < machines.length(); ++i) {
    // Comments and other nodes that are no element stand between machines.
    if (const XmlElement machine = machines.item(i).asElement()) {
      AddMachine(layout, machine, outcome);
    }
  }
  return outcome;
}
