// Looking up a machine's values in its child elements.
#include "readers/xml/child_element_text.h"

std::optional<std::u16string> FirstChildText(const XmlNode& machine, std::u16string_view name) {
  const XmlNode child = machine.selectNodes(name).item(0);
  if (!child) return std::nullopt;
  return child.text();
}

XmlAttributeValue FirstChildAttribute(const XmlNode& machine, std::u16string_view name,
                                      std::u16string_view attribute) {
  const XmlNode child = machine.selectSingleNode(name);
  if (!child) return std::nullopt;
  return child.asElement().getAttribute(attribute);
}
