// What a reader hears while a document streams past: elements opening and
// closing, with their depth, and the character data between them.
#pragma once

#include <string_view>

// The attributes written in one start tag (none that a DTD would default), as
// the parser hands them over: name, value, name, value, ..., all UTF-8.
class XmlAttributes {
 public:
  XmlAttributes(const char* const* pairs, int count) : pairs_(pairs), count_(count) {}

  // The value of the attribute named exactly `name` (prefix included); null
  // when the start tag has none.
  [[nodiscard]] const char* Find(std::string_view name) const {
    for (int i = 0; i < count_; i += 2) {
      if (name == pairs_[i]) return pairs_[i + 1];
    }
    return nullptr;
  }

 private:
  const char* const* pairs_;
  int count_;  // names and values together
};

class XmlContentHandler {
 public:
  virtual ~XmlContentHandler() = default;

  // The root element is at depth 1. Names are as written, prefix included.
  virtual void StartElement(int depth, std::string_view name, const XmlAttributes& attributes) = 0;
  virtual void EndElement(int depth) = 0;
  // Character data (CDATA sections included) inside the element at `depth`,
  // possibly in several pieces. Only handed over while WantsText() says so.
  virtual void Text(int depth, std::string_view text) {
    (void)depth;
    (void)text;
  }
  // Asked at the start and after every StartElement and EndElement: the
  // parser converts and hands over no text that is not wanted.
  [[nodiscard]] virtual bool WantsText() const { return false; }
};
