// A parsed libxml2 document, owned by the handles that point into it.
#pragma once

#include <libxml/tree.h>

#include <memory>

struct XmlDocFree {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

struct XmlTree {
  XmlDocPtr doc;
};
