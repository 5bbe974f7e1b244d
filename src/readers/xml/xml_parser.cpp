// libxml2 behind the document model, set up so that a source can never make it
// fetch anything or expand entities.
#include "readers/xml/xml_parser.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "readers/xml/xml_error.h"

namespace {

struct ParserCtxtFree {
  void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
using ParserCtxtPtr = std::unique_ptr<xmlParserCtxt, ParserCtxtFree>;

// What the callbacks learn while one text is parsed.
struct ParseWatch {
  bool refused = false;
  std::string detail;  // the first complaint
};

ParseWatch& WatchOf(void* context) {
  return *static_cast<ParseWatch*>(static_cast<xmlParserCtxt*>(context)->_private);
}

void Refuse(void* context, const char* why) {
  ParseWatch& watch = WatchOf(context);
  if (!watch.refused && watch.detail.empty()) watch.detail = why;
  watch.refused = true;
  xmlStopParser(static_cast<xmlParserCtxt*>(context));
}

// The sources we read never use an external DTD or entities; refusing them
// shuts out external entities reading local files and expansion bombs.
void OnInternalSubset(void* context, const xmlChar* name, const xmlChar* publicId,
                      const xmlChar* systemId) {
  if (publicId || systemId) {
    Refuse(context, "the document type names an external DTD");
    return;
  }
  xmlSAX2InternalSubset(context, name, publicId, systemId);
}

void OnEntityDecl(void* context, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
  Refuse(context, "the document declares an entity");
}

void OnUnparsedEntityDecl(void* context, const xmlChar*, const xmlChar*, const xmlChar*,
                          const xmlChar*) {
  Refuse(context, "the document declares an entity");
}

// Keeps the parser's complaints off stderr and remembers the first one.
void OnError(void* context, xmlError* error) {
  if (!error || error->level < XML_ERR_FATAL) return;
  ParseWatch& watch = WatchOf(context);
  if (!watch.detail.empty()) return;
  std::string message = error->message ? error->message : "not well-formed";
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  std::replace(message.begin(), message.end(), '\n', ' ');  // one line under the message
  watch.detail = "line " + std::to_string(error->line) + ": " + message;
}

bool IsWhiteSpaceText(const xmlNode* node) {
  if (node->type != XML_TEXT_NODE || !node->content) return false;
  for (const xmlChar* c = node->content; *c; ++c) {
    if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') return false;
  }
  return true;
}

// White space between elements forms no nodes of the tree.
void DropWhiteSpaceText(xmlNode* parent) {
  xmlNode* child = parent->children;
  while (child) {
    xmlNode* next = child->next;
    if (IsWhiteSpaceText(child)) {
      xmlUnlinkNode(child);
      xmlFreeNode(child);
    } else if (child->type == XML_ELEMENT_NODE) {
      DropWhiteSpaceText(child);
    }
    child = next;
  }
}

}  // namespace

ParsedXml ParseXmlBytes(std::string_view bytes, bool forceUtf8) {
  ParsedXml result;
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    result.detail = "the document is too large";
    return result;
  }
  xmlInitParser();
  ParserCtxtPtr context(xmlNewParserCtxt());
  if (!context || !context->sax) throw XmlError("cannot create the XML parser");
  ParseWatch watch;
  context->_private = &watch;
  context->sax->internalSubset = OnInternalSubset;
  context->sax->entityDecl = OnEntityDecl;
  context->sax->unparsedEntityDecl = OnUnparsedEntityDecl;
  context->sax->serror = OnError;
  context->sax->warning = nullptr;
  context->sax->error = nullptr;
  // NOBLANKS drops part of the white space that DropWhiteSpaceText drops anyway,
  // before it takes memory; COMPACT keeps short texts inside their nodes.
  int options = XML_PARSE_NONET | XML_PARSE_NOBLANKS | XML_PARSE_COMPACT;
  if (forceUtf8) options |= XML_PARSE_IGNORE_ENC;
  XmlDocPtr doc(xmlCtxtReadMemory(context.get(), bytes.data(), static_cast<int>(bytes.size()),
                                  nullptr, forceUtf8 ? "UTF-8" : nullptr, options));
  if (!doc || watch.refused || !context->wellFormed || !xmlDocGetRootElement(doc.get())) {
    result.detail = watch.detail.empty() ? "the document is not well-formed" : watch.detail;
    return result;
  }
  DropWhiteSpaceText(reinterpret_cast<xmlNode*>(doc.get()));
  result.doc = std::move(doc);
  return result;
}
