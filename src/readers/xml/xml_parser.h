// Parsing bytes into a tree safely: nothing fetched, no DTD beyond a bare name.
#pragma once

#include <string>
#include <string_view>

#include "readers/xml/xml_tree.h"

struct ParsedXml {
  XmlDocPtr doc;  // null unless the text is a well-formed, accepted document
  std::string detail;
};

// With forceUtf8 the bytes are UTF-8 whatever the text declares; otherwise
// they are decoded by byte-order mark, declared encoding, else UTF-8.
// White space between elements is dropped from the tree.
[[nodiscard]] ParsedXml ParseXmlBytes(std::string_view bytes, bool forceUtf8);
