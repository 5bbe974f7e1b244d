// The I8 Computer collection reader.
#include "readers/xml/computer_collection_reader.h"

#include <algorithm>

#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "readers/xml/child_element_text.h"
#include "readers/xml/xml_source.h"

namespace {

// A machine without its Name attribute or MacAddr, or without an IPAddr when
// NetAddr gives no address, gives no entry. An empty IPAddr gives an empty IP.
void AppendMachine(const XmlElement& machine, std::u16string& output) {
  XmlAttributeValue name = machine.getAttribute(u"Name");
  std::optional<std::u16string> mac = FirstChildText(machine, u"MacAddr");
  if (!name || !mac) return;
  std::optional<std::u16string> ip = FirstChildText(machine, u"NetAddr");
  if (!ip || ip->empty()) ip = FirstChildText(machine, u"IPAddr");
  if (!ip) return;
  std::replace(mac->begin(), mac->end(), u'-', u':');
  if (mac->empty()) return;
  UpperCaseAToZ(*mac);
  UpperCaseAToZ(*name);
  AppendMachineEntry(output, *mac, *ip, *name);
}

}  // namespace

bool ReadComputerCollectionSource(DisklessType, const std::u16string& sourcePath,
                                  std::u16string& output, ConversionHost& host) {
  const std::optional<XmlDocument> document = LoadXmlSourceFile(sourcePath, host);
  if (!document) return false;
  const XmlNodeList machines = document->selectNodes(u"/Collections/Computer");
  for (std::int32_t i = 0; i < machines.length(); ++i) {
    AppendMachine(machines.item(i).asElement(), output);
  }
  return true;
}
