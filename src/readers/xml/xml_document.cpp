// The document model's operations over a libxml2 tree.
#include "readers/xml/xml_document.h"

#include <libxml/tree.h>

#include <limits>

#include "core/source_bytes.h"
#include "core/utf8.h"
#include "readers/xml/xml_encoding.h"
#include "readers/xml/xml_parser.h"
#include "readers/xml/xml_tree.h"

namespace {

bool IsXmlSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string TrimXmlSpace(std::u16string text) {
  std::size_t end = text.size();
  while (end > 0 && IsXmlSpace(text[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && IsXmlSpace(text[begin])) ++begin;
  return text.substr(begin, end - begin);
}

std::string_view Chars(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

// The name as written, prefix included: what the paths and attribute names match.
std::string QualifiedName(const xmlChar* name, const xmlNs* ns) {
  std::string qualified;
  if (ns && ns->prefix) {
    qualified = Chars(ns->prefix);
    qualified += ':';
  }
  qualified += Chars(name);
  return qualified;
}

void AppendCharacterData(const xmlNode* node, std::string& text) {
  for (const xmlNode* child = node->children; child; child = child->next) {
    if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      text += Chars(child->content);
    } else if (child->type == XML_ELEMENT_NODE) {
      AppendCharacterData(child, text);
    }
  }
}

std::vector<std::string> PathSteps(std::u16string_view path, bool& fromRoot) {
  fromRoot = !path.empty() && path.front() == u'/';
  if (fromRoot) path.remove_prefix(1);
  std::vector<std::string> steps;
  for (;;) {
    const std::size_t slash = path.find(u'/');
    const std::u16string_view step = path.substr(0, slash);
    if (step.empty()) throw XmlError("unsupported path: " + Utf16ToUtf8Whole(path));
    steps.push_back(Utf16ToUtf8Whole(step));
    if (slash == std::u16string_view::npos) return steps;
    path.remove_prefix(slash + 1);
  }
}

std::vector<xmlNode*> SelectElements(xmlNode* context, std::u16string_view path) {
  bool fromRoot = false;
  const std::vector<std::string> steps = PathSteps(path, fromRoot);
  std::vector<xmlNode*> current{fromRoot ? reinterpret_cast<xmlNode*>(context->doc) : context};
  for (const std::string& step : steps) {
    std::vector<xmlNode*> next;
    for (xmlNode* parent : current) {
      for (xmlNode* child = parent->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && QualifiedName(child->name, child->ns) == step) {
          next.push_back(child);
        }
      }
    }
    current = std::move(next);
  }
  return current;
}

}  // namespace

xmlNode* XmlNode::checked() const {
  if (!node_) throw XmlError("a node that does not exist was used (null handle)");
  return node_;
}

XmlNodeList XmlNode::selectNodes(std::u16string_view path) const {
  return XmlNodeList(tree_, SelectElements(checked(), path));
}

XmlNode XmlNode::selectSingleNode(std::u16string_view path) const {
  return selectNodes(path).item(0);
}

XmlNodeList XmlNode::childNodes() const {
  std::vector<xmlNode*> children;
  for (xmlNode* child = checked()->children; child; child = child->next) {
    children.push_back(child);
  }
  return XmlNodeList(tree_, std::move(children));
}

XmlElement XmlNode::asElement() const {
  if (checked()->type != XML_ELEMENT_NODE) return {};
  return XmlElement(*this);
}

std::u16string XmlNode::text() const {
  const xmlNode* node = checked();
  std::string text;
  if (node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE) {
    AppendCharacterData(node, text);
  } else {
    text = Chars(node->content);
  }
  return TrimXmlSpace(Utf8ToWide(text));
}

XmlAttributeValue XmlElement::getAttribute(std::u16string_view name) const {
  const std::string wanted = Utf16ToUtf8Whole(name);
  for (const xmlAttr* attribute = checked()->properties; attribute; attribute = attribute->next) {
    if (QualifiedName(attribute->name, attribute->ns) != wanted) continue;
    std::string value;
    for (const xmlNode* part = attribute->children; part; part = part->next) {
      value += Chars(part->content);
    }
    return Utf8ToWide(value);
  }
  return std::nullopt;
}

XmlNode XmlNodeList::item(std::int32_t index) const {
  if (index < 0 || index >= length()) return {};
  return XmlNode(tree_, nodes_[static_cast<std::size_t>(index)]);
}

XmlDocument::XmlDocument() = default;
XmlDocument::~XmlDocument() = default;
XmlDocument::XmlDocument(XmlDocument&&) noexcept = default;
XmlDocument& XmlDocument::operator=(XmlDocument&&) noexcept = default;

bool XmlDocument::load(const std::filesystem::path& path) {
  tree_.reset();
  const std::optional<std::string> bytes = ReadSourceBytes(path);
  if (!bytes) {
    failure_ = XmlLoadFailure::Unreadable;
    detail_.clear();
    return false;
  }
  if (const std::optional<std::string> utf8 = DecodeCodePage936Document(*bytes)) {
    return parse(*utf8, true);
  }
  return parse(*bytes, false);
}

bool XmlDocument::loadXML(std::u16string_view text) {
  tree_.reset();
  return parse(Utf16ToUtf8Whole(text), true);
}

bool XmlDocument::parse(std::string_view bytes, bool forceUtf8) {
  ParsedXml parsed = ParseXmlBytes(bytes, forceUtf8);
  detail_ = std::move(parsed.detail);
  if (!parsed.doc) {
    failure_ = XmlLoadFailure::NotWellFormed;
    return false;
  }
  failure_ = XmlLoadFailure::None;
  tree_ = std::make_shared<const XmlTree>(XmlTree{std::move(parsed.doc)});
  return true;
}

XmlElement XmlDocument::documentElement() const {
  if (!tree_) return {};
  return XmlElement(XmlNode(tree_, xmlDocGetRootElement(tree_->doc.get())));
}

XmlNodeList XmlDocument::selectNodes(std::u16string_view path) const {
  if (!tree_) return XmlNodeList(nullptr, {});
  return XmlNode(tree_, reinterpret_cast<xmlNode*>(tree_->doc.get())).selectNodes(path);
}

std::optional<std::uint32_t> TryTextToUInt32(std::u16string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t number = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(c - u'0');
    if (number > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  }
  return static_cast<std::uint32_t>(number);
}
