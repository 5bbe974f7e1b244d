// The values the child-element readers look up below one machine element.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "readers/xml/xml_document.h"

// The text of the machine's first child element `name`; nothing when there is none.
[[nodiscard]] std::optional<std::u16string> FirstChildText(const XmlNode& machine,
                                                           std::u16string_view name);

// The attribute `attribute` of the machine's first child element `name`;
// nothing when either is missing.
[[nodiscard]] XmlAttributeValue FirstChildAttribute(const XmlNode& machine,
                                                    std::u16string_view name,
                                                    std::u16string_view attribute);
