// The attribute XML reader.
#include "readers/xml/attribute_xml_reader.h"

#include "readers/xml/xml_source.h"

namespace {

// A machine element lacking one of the three attributes gives no entry.
void AddMachine(const AttributeXmlLayout& layout, const XmlElement& machine,
                ReadOutcome& outcome) {
  XmlAttributeValue name = machine.getAttribute(layout.nameAttribute);
  XmlAttributeValue mac = machine.getAttribute(layout.macAttribute);
  const XmlAttributeValue ip = machine.getAttribute(layout.ipAttribute);
  if (!name || !mac || !ip || mac->empty()) {
    outcome.skipped.Add(SkipReason::LackingValue);
    return;
  }
  ApplyMachineRules(layout.rules, *mac, *name);
  outcome.machines.Add(*mac, *ip, *name);
}

}  // namespace

ReadOutcome ReadAttributeXmlSource(const SourceRequest& request,
                                   const AttributeXmlLayout& layout) {
  const LoadedXml loaded = layout.ansiTextCutAfter.empty()
                               ? LoadXmlSourceFile(request)
                               : LoadAnsiXmlSourceFile(request, layout.ansiTextCutAfter);
  if (loaded.failure) return ReadOutcome::Failed(*loaded.failure);
  XmlNode container = loaded.document->documentElement();
  if (!layout.containerPath.empty()) {
    container = container.selectSingleNode(layout.containerPath);
    if (!container) return ReadOutcome::Failed(MissingXmlElement(layout.containerPath));
  }
  ReadOutcome outcome;
  const XmlNodeList machines = container.childNodes();
  for (std::int32_t i = 0; i < machines.length(); ++i) {
    // Comments and other nodes that are no element stand between machines.
    if (const XmlElement machine = machines.item(i).asElement()) {
      AddMachine(layout, machine, outcome);
    }
  }
  return outcome;
}
