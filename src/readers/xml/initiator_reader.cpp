// The CCBOOT initiator reader.
#include "readers/xml/initiator_reader.h"

#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "readers/xml/child_element_text.h"
#include "readers/xml/xml_source.h"

namespace {

constexpr std::u16string_view kInitiatorPath = u"/server/initiator";

// Each value is the "value" attribute of a child element; a machine lacking
// one of the three gives no entry.
void AppendMachine(const XmlElement& machine, std::u16string& output) {
  XmlAttributeValue name = FirstChildAttribute(machine, u"name", u"value");
  if (!name) return;
  XmlAttributeValue mac = FirstChildAttribute(machine, u"mac", u"value");
  if (!mac) return;
  const XmlAttributeValue ip = FirstChildAttribute(machine, u"ip", u"value");
  if (!ip || mac->empty()) return;
  UpperCaseAToZ(*mac);
  UpperCaseAToZ(*name);
  AppendMachineEntry(output, *mac, *ip, *name);
}

}  // namespace

bool ReadInitiatorSource(DisklessType, const std::u16string& sourcePath, std::u16string& output,
                         ConversionHost& host) {
  const std::optional<XmlDocument> document = LoadXmlSourceFile(sourcePath, host);
  if (!document) return false;
  const XmlNode initiator = document->documentElement().selectSingleNode(kInitiatorPath);
  if (!initiator) {
    ShowMissingXmlElement(kInitiatorPath, host);
    return false;
  }
  const XmlNodeList machines = initiator.childNodes();
  for (std::int32_t i = 0; i < machines.length(); ++i) {
    // Comments and other nodes that are no element stand between machines.
    if (const XmlElement machine = machines.item(i).asElement()) AppendMachine(machine, output);
  }
  return true;
}
