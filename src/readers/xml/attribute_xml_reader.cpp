// The attribute XML reader and its per-type settings.
#include "readers/xml/attribute_xml_reader.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/field_format.h"
#include "core/machine_list_file.h"
#include "readers/xml/xml_source.h"

namespace {

enum class MacForm { AsStored, WithColons };

struct AttributeXmlLayout {
  DisklessType type;
  // Set: the file is read whole, decoded from the ANSI code page and cut
  // after `cutAfter`; unset: the document is loaded from the file.
  std::optional<WholeFileMessages> wholeFile;
  std::u16string_view cutAfter;
  std::u16string_view containerPath;  // empty: the root element holds the machines
  std::u16string_view nameAttribute;
  std::u16string_view macAttribute;
  std::u16string_view ipAttribute;
  MacForm macForm;
};

constexpr WholeFileMessages kPxdMessages{Message::OpenPxdFailed, Message::PxdSizeFailed,
                                         Message::ReadPxdFailed};

constexpr std::array kLayouts = {
    AttributeXmlLayout{DisklessType::Sanboot, std::nullopt, u"", u"", u"Name", u"MAC", u"IP",
                       MacForm::AsStored},
    AttributeXmlLayout{DisklessType::Kuaiba, std::nullopt, u"", u"/KB/wks", u"cName", u"MAC",
                       u"clientIP", MacForm::WithColons},
    AttributeXmlLayout{DisklessType::KuaibaLvcha, std::nullopt, u"", u"/LC/wks", u"cName", u"MAC",
                       u"clientIP", MacForm::WithColons},
    AttributeXmlLayout{DisklessType::Pxd, kPxdMessages, u"</PXD>", u"/PXD/Wks", u"ComName",
                       u"MAC", u"WksIP", MacForm::WithColons},
};

const AttributeXmlLayout* FindLayout(DisklessType type) {
  const auto row = std::find_if(kLayouts.begin(), kLayouts.end(),
                                [type](const AttributeXmlLayout& r) { return r.type == type; });
  return row == kLayouts.end() ? nullptr : &*row;
}

std::optional<XmlDocument> LoadSource(const AttributeXmlLayout& layout,
                                      const std::u16string& sourcePath, ConversionHost& host) {
  if (!layout.wholeFile) return LoadXmlSourceFile(sourcePath, host);
  std::optional<std::u16string> text = ReadAnsiXmlSourceText(sourcePath, *layout.wholeFile, host);
  if (!text) return std::nullopt;
  // Some of these files hold further bytes after the document's end.
  const std::size_t end = text->find(layout.cutAfter);
  if (end != std::u16string::npos) text->resize(end + layout.cutAfter.size());
  return LoadXmlSourceText(*text, host);
}

// A machine element lacking one of the three attributes gives no entry.
void AppendMachine(const AttributeXmlLayout& layout, const XmlElement& machine,
                   std::u16string& output) {
  const XmlAttributeValue name = machine.getAttribute(layout.nameAttribute);
  const XmlAttributeValue rawMac = machine.getAttribute(layout.macAttribute);
  const XmlAttributeValue ip = machine.getAttribute(layout.ipAttribute);
  if (!name || !rawMac || !ip) return;
  std::u16string mac = layout.macForm == MacForm::WithColons ? FormatMacWithColons(*rawMac)
                                                             : *rawMac;
  if (mac.empty()) return;
  std::u16string upperName = *name;
  UpperCaseAToZ(mac);
  UpperCaseAToZ(upperName);
  AppendMachineEntry(output, mac, *ip, upperName);
}

}  // namespace

bool ReadAttributeXmlSource(DisklessType type, const std::u16string& sourcePath,
                            std::u16string& output, ConversionHost& host) {
  const AttributeXmlLayout* layout = FindLayout(type);
  if (!layout) {
    host.ShowMessage(Message::TypeNotSupported);
    return false;
  }
  const std::optional<XmlDocument> document = LoadSource(*layout, sourcePath, host);
  if (!document) return false;
  XmlNode container = document->documentElement();
  if (!layout->containerPath.empty()) {
    container = container.selectSingleNode(layout->containerPath);
    if (!container) {
      ShowMissingXmlElement(layout->containerPath, host);
      return false;
    }
  }
  const XmlNodeList machines = container.childNodes();
  for (std::int32_t i = 0; i < machines.length(); ++i) {
    // Comments and other nodes that are no element stand between machines.
    if (const XmlElement machine = machines.item(i).asElement()) {
      AppendMachine(*layout, machine, output);
    }
  }
  return true;
}
