// The ClientConfig.xml reader.
#include "readers/xml/client_config_reader.h"

#include <cstdint>

#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "readers/xml/child_element_text.h"
#include "readers/xml/xml_source.h"

namespace {

constexpr WholeFileMessages kWangweiMessages{Message::OpenWangweiFailed,
                                             Message::WangweiSizeFailed,
                                             Message::ReadWangweiFailed};

// The file holds the address as one number whose most significant byte is the
// first octet; FormatIPv4 wants the first octet in the lowest byte.
std::uint32_t ToNetworkOrder(std::uint32_t number) {
  return (number >> 24) | ((number >> 8) & 0xFF00u) | ((number << 8) & 0xFF0000u) |
         (number << 24);
}

// A machine without a Name, Mac or numeric IP gives no entry.
void AppendMachine(const XmlNode& machine, std::u16string& output) {
  std::optional<std::u16string> name = FirstChildText(machine, u"Name");
  const std::optional<std::u16string> rawMac = FirstChildText(machine, u"Mac");
  const std::optional<std::u16string> ipText = FirstChildText(machine, u"IP");
  if (!name || !rawMac || !ipText) return;
  const std::optional<std::uint32_t> ip = TryTextToUInt32(*ipText);
  if (!ip) return;
  std::u16string mac = FormatMacWithColons(*rawMac);
  if (mac.empty()) return;
  UpperCaseAToZ(mac);
  UpperCaseAToZ(*name);
  AppendMachineEntry(output, mac, FormatIPv4(ToNetworkOrder(*ip)), *name);
}

}  // namespace

bool ReadClientConfigSource(DisklessType, const std::u16string& sourcePath,
                            std::u16string& output, ConversionHost& host) {
  const std::optional<std::u16string> text =
      ReadAnsiXmlSourceText(sourcePath, kWangweiMessages, host);
  if (!text) return false;
  const std::optional<XmlDocument> document = LoadXmlSourceText(*text, host);
  if (!document) return false;
  const XmlNodeList machines = document->selectNodes(u"/ClientInfor/ClientConfig");
  for (std::int32_t i = 0; i < machines.length(); ++i) {
    AppendMachine(machines.item(i), output);
  }
  return true;
}
