// What the start of a document tells about its encoding before the parser sees it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The encoding named in the XML declaration at the start of bytes, as written;
// empty when there is none.
[[nodiscard]] std::string DeclaredEncoding(std::string_view bytes);

struct XmlInputEncoding {
  // The encoding the parser must take whatever the document declares: the
  // byte-order mark's, or the parser's own name for a declared alias ("utf8").
  // Null: the parser goes by the declaration, else UTF-8 (or UTF-16 when the
  // text starts with "<" in two bytes).
  const char* forced = nullptr;
  std::size_t unitSize = 1;  // 2 for UTF-16: where a NUL character may stand
};

// From the first bytes of the file (all of them, or the first buffer).
[[nodiscard]] XmlInputEncoding DetectXmlInputEncoding(std::string_view start);

// Where the first NUL character stands in bytes that start at a character
// boundary; npos when there is none.
[[nodiscard]] std::size_t FindNulCharacter(std::string_view bytes, const XmlInputEncoding& encoding);
