// The values a machine element gives through its child elements: for each
// wanted name, the first child element of that name (names as written,
// case-sensitive); later children of the same name do not count.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "readers/xml/xml_content_handler.h"

class FirstChildValues {
 public:
  // Each value is the child's character data and that of its descendants,
  // joined, without leading and trailing XML white space.
  [[nodiscard]] static FirstChildValues Texts(std::initializer_list<std::string_view> names);
  // Each value is the child's attribute `attribute`.
  [[nodiscard]] static FirstChildValues Attributes(std::initializer_list<std::string_view> names,
                                                   std::string_view attribute);

  // A new machine starts: nothing is known of its children.
  void Clear();
  // Elements and text inside the machine; relativeDepth 1 is a child.
  void StartElement(int relativeDepth, std::string_view name, const XmlAttributes& attributes);
  void EndElement(int relativeDepth);
  void Text(std::string_view text);
  // Whether Text would keep text now: inside a wanted child, with Texts.
  [[nodiscard]] bool Capturing() const { return capturing_ != kNone; }

  // The value for the index-th name (UTF-8), of a long one only the start
  // that the list keeps (KeptValueLength); null when the machine has no such
  // child, or its first such child lacks the attribute.
  [[nodiscard]] const std::string* Value(std::size_t index) const;

 private:
  struct Slot {
    std::string_view name;
    bool seen = false;
    bool present = false;
    // Text that is not white space came after the kept start of the value.
    bool moreAfterKept = false;
    std::string value;  // kept from machine to machine, so its storage is reused
  };

  FirstChildValues(std::initializer_list<std::string_view> names, std::string_view attribute);

  std::vector<Slot> slots_;
  std::string_view attribute_;  // empty: the values are texts
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t capturing_ = kNone;  // the slot whose child's text is being gathered
};
