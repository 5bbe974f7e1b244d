// Trimming, cutting and UTF-8 to UTF-16 for the XML readers.
#include "readers/xml/xml_text.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point of the sequence at text[i], or nothing (-1) when it is
// malformed; `length` is what it takes.
long DecodeOne(std::string_view text, std::size_t i, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[i]);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t count = 0;
  long code = 0;
  long least = 0;
  if ((lead & 0xE0) == 0xC0) {
    count = 2, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    count = 3, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    count = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return -1;
  }
  if (i + count > text.size()) return -1;
  for (std::size_t k = 1; k < count; ++k) {
    const auto byte = static_cast<unsigned char>(text[i + k]);
    if (!IsContinuation(byte)) return -1;
    code = code << 6 | (byte & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return -1;
  length = count;
  return code;
}

}  // namespace

std::string_view TrimXmlSpaceStart(std::string_view text) {
  while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view TrimXmlSpace(std::string_view text) {
  text = TrimXmlSpaceStart(text);
  while (!text.empty() && IsXmlSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::size_t KeptValueLength(std::string_view utf8, std::size_t kept) {
  if (kept >= kKeptValueBytes) return 0;
  if (utf8.size() <= kKeptValueBytes - kept) return utf8.size();
  std::size_t length = kKeptValueBytes - kept;
  while (length < utf8.size() && IsContinuation(static_cast<unsigned char>(utf8[length]))) {
    ++length;
  }
  return length;
}

std::string_view KeptValue(const char* utf8) {
  std::size_t length = 0;
  while (length < kKeptValueBytes && utf8[length] != '\0') ++length;
  while (utf8[length] != '\0' && IsContinuation(static_cast<unsigned char>(utf8[length]))) {
    ++length;
  }
  return {utf8, length};
}

void AssignXmlValue(std::u16string& out, std::string_view utf8) {
  utf8 = utf8.substr(0, KeptValueLength(utf8));
  // The ASCII start, most often the whole value, is widened as it is; when
  // the first 259 bytes are ASCII the cut falls after them.
  std::size_t ascii = 0;
  while (ascii < utf8.size() && ascii < kValueBufferLimit &&
         static_cast<unsigned char>(utf8[ascii]) < 0x80) {
    ++ascii;
  }
  out.resize(ascii);
  for (std::size_t i = 0; i < ascii; ++i) out[i] = static_cast<unsigned char>(utf8[i]);
  if (ascii == utf8.size() || ascii == kValueBufferLimit) return;
  out.reserve(utf8.size());  // never more UTF-16 units than UTF-8 bytes
  for (std::size_t i = ascii; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x80) {
      out.push_back(byte);
      ++i;
      continue;
    }
    std::size_t length = 1;
    const long code = DecodeOne(utf8, i, length);
    i += length;
    if (code < 0) {
      out.push_back(kReplacement);
    } else if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  out.resize(CutToValueBuffer(out).size());
}
