// Byte-order marks, the declared encoding and NUL characters at the byte level.
#include "readers/xml/xml_encoding.h"

#include "core/byte_order_mark.h"
#include "readers/xml/xml_encoding_names.h"

namespace {

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string DeclaredEncoding(std::string_view bytes) {
  constexpr std::string_view kOpen = "<?xml";
  if (!bytes.starts_with(kOpen) || bytes.size() <= kOpen.size() ||
      !IsXmlSpace(bytes[kOpen.size()])) {
    return {};
  }
  const std::size_t close = bytes.find("?>");
  const std::string_view declaration = bytes.substr(0, close);
  constexpr std::string_view kName = "encoding";
  for (std::size_t at = declaration.find(kName); at != std::string_view::npos;
       at = declaration.find(kName, at + 1)) {
    if (!IsXmlSpace(declaration[at - 1])) continue;
    std::size_t i = at + kName.size();
    while (i < declaration.size() && IsXmlSpace(declaration[i])) ++i;
    if (i >= declaration.size() || declaration[i] != '=') continue;
    ++i;
    while (i < declaration.size() && IsXmlSpace(declaration[i])) ++i;
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\'')) continue;
    const std::size_t end = declaration.find(declaration[i], i + 1);
    if (end == std::string_view::npos) return {};
    return std::string(declaration.substr(i + 1, end - i - 1));
  }
  return {};
}

XmlInputEncoding DetectXmlInputEncoding(std::string_view start) {
  if (const std::optional<ByteOrderMark> mark = LeadingByteOrderMark(start)) {
    switch (mark->encoding) {
      case TextEncoding::Utf8:
        return {"UTF-8", 1};
      case TextEncoding::Utf16Le:
        return {"UTF-16LE", 2};
      case TextEncoding::Utf16Be:
        return {"UTF-16BE", 2};
    }
  }
  // The parser reads these as UTF-16 without a mark, whatever it is told.
  if (start.starts_with(std::string_view("<\0", 2)) ||
      start.starts_with(std::string_view("\0<", 2))) {
    return {nullptr, 2};
  }
  return {ParserEncodingNameFor(DeclaredEncoding(start)), 1};
}

std::size_t FindNulCharacter(std::string_view bytes, const XmlInputEncoding& encoding) {
  if (encoding.unitSize == 1) return bytes.find('\0');
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    if (bytes[i] == '\0' && bytes[i + 1] == '\0') return i;
  }
  return std::string_view::npos;
}
