// The parser's 256-entry map and two-byte converter over a Windows code page.
#include "readers/xml/code_page_encoding.h"

#include <string_view>

namespace {

constexpr int kMalformed = -1;
constexpr int kTwoBytes = -2;

int XMLCALL ConvertPair(void* data, const char* bytes) {
  const auto* codePage = static_cast<const platform::CodePage*>(data);
  // Decoding stops at a NUL; the pair must not hide one from the parser.
  if (bytes[1] == '\0') return kMalformed;
  const std::u16string text = codePage->Decode(std::string_view(bytes, 2));
  if (text.size() != 1) return kMalformed;
  return text[0];
}

}  // namespace

bool DescribeCodePageEncoding(const platform::CodePage& codePage, XML_Encoding& encoding) {
  for (int byte = 0; byte < 256; ++byte) {
    const auto unit = static_cast<unsigned char>(byte);
    if (codePage.IsLeadByte(unit)) {
      if (byte < 0x80) return false;
      encoding.map[byte] = kTwoBytes;
      continue;
    }
    if (byte == 0) {
      encoding.map[byte] = 0;  // the parser refuses it as a character
      continue;
    }
    const char single = static_cast<char>(unit);
    const std::u16string text = codePage.Decode(std::string_view(&single, 1));
    if (text.size() != 1) {
      encoding.map[byte] = kMalformed;
    } else if (byte >= 0x80 && text[0] < 0x80) {
      // "?" for a byte the page does not map: XML markup must keep one byte each.
      encoding.map[byte] = kMalformed;
    } else {
      encoding.map[byte] = text[0];
    }
  }
  encoding.data = const_cast<platform::CodePage*>(&codePage);
  encoding.convert = ConvertPair;
  encoding.release = nullptr;
  return true;
}
