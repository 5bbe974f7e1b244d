// The small XML document model the XML readers query: document, node, list, element.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "readers/xml/xml_error.h"

struct _xmlNode;

struct XmlTree;  // a parsed document, shared by every handle into it

class XmlElement;
class XmlNodeList;

// A handle to one node of a document; it keeps the document alive. A default
// handle is null, and every operation on a null handle raises XmlError.
class XmlNode {
 public:
  XmlNode() = default;

  [[nodiscard]] bool isNull() const { return node_ == nullptr; }
  explicit operator bool() const { return !isNull(); }

  // "/A/B" names elements from the document's root down, whatever node it is
  // asked of; "B" names the child elements B. Names are case-sensitive.
  [[nodiscard]] XmlNodeList selectNodes(std::u16string_view path) const;
  // The first node selectNodes gives, or null.
  [[nodiscard]] XmlNode selectSingleNode(std::u16string_view path) const;
  [[nodiscard]] XmlNodeList childNodes() const;
  // The same node seen as an element; null when it is no element.
  [[nodiscard]] XmlElement asElement() const;
  // The character data of the node and its descendants, without leading and
  // trailing white space.
  [[nodiscard]] std::u16string text() const;

 protected:
  friend class XmlDocument;
  friend class XmlNodeList;
  XmlNode(std::shared_ptr<const XmlTree> tree, _xmlNode* node)
      : tree_(std::move(tree)), node_(node) {}
  _xmlNode* checked() const;

  std::shared_ptr<const XmlTree> tree_;
  _xmlNode* node_ = nullptr;
};

// An attribute's value: a string, or nothing when the element has no such attribute.
using XmlAttributeValue = std::optional<std::u16string>;

class XmlElement : public XmlNode {
 public:
  XmlElement() = default;

  // Matched by the attribute's full name, case-sensitive. Present but empty gives "".
  [[nodiscard]] XmlAttributeValue getAttribute(std::u16string_view name) const;

 private:
  friend class XmlNode;
  friend class XmlDocument;
  explicit XmlElement(XmlNode node) : XmlNode(std::move(node)) {}
};

// Nodes in document order. A list is never null; an empty one has length 0.
class XmlNodeList {
 public:
  [[nodiscard]] std::int32_t length() const { return static_cast<std::int32_t>(nodes_.size()); }
  // The node at index, or null when the index is not below the length.
  [[nodiscard]] XmlNode item(std::int32_t index) const;

 private:
  friend class XmlNode;
  friend class XmlDocument;
  XmlNodeList(std::shared_ptr<const XmlTree> tree, std::vector<_xmlNode*> nodes)
      : tree_(std::move(tree)), nodes_(std::move(nodes)) {}

  std::shared_ptr<const XmlTree> tree_;
  std::vector<_xmlNode*> nodes_;
};

// Why the last load gave false.
enum class XmlLoadFailure {
  None,
  Unreadable,    // missing, a folder, or not readable
  NotWellFormed, // also a document that names an external DTD or declares an entity
};

class XmlDocument {
 public:
  XmlDocument();
  ~XmlDocument();
  XmlDocument(XmlDocument&&) noexcept;
  XmlDocument& operator=(XmlDocument&&) noexcept;

  // Reads the file at path (a local file only, nothing is ever fetched) and
  // decodes it by its byte-order mark, else its declared encoding, else as
  // UTF-8; "gb2312" and "gbk" are read as code page 936. Gives false for an
  // unreadable file or text that is not well-formed.
  [[nodiscard]] bool load(const std::filesystem::path& path);
  // Parses text that is already decoded; a declared encoding is ignored.
  [[nodiscard]] bool loadXML(std::u16string_view text);

  [[nodiscard]] XmlLoadFailure loadFailure() const { return failure_; }
  // The parser's words on why the text is not well-formed (English, technical).
  [[nodiscard]] const std::string& loadErrorDetail() const { return detail_; }

  // Null until a document has been loaded.
  [[nodiscard]] XmlElement documentElement() const;
  [[nodiscard]] XmlNodeList selectNodes(std::u16string_view path) const;

 private:
  bool parse(std::string_view bytes, bool forceUtf8);

  std::shared_ptr<const XmlTree> tree_;
  XmlLoadFailure failure_ = XmlLoadFailure::None;
  std::string detail_;
};

// The text as an unsigned 32-bit decimal number (digits only, 0 to
// 4294967295); nothing when it is not one.
[[nodiscard]] std::optional<std::uint32_t> TryTextToUInt32(std::u16string_view text);
