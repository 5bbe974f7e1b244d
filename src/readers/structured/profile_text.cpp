// Byte-order mark detection and decoding for profile files.
#include "readers/structured/profile_text.h"

#include "core/byte_order_mark.h"
#include "core/utf8.h"

namespace {

// An odd last byte is no code unit and is dropped.
std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
  }
  return text;
}

// The decoders stop at a NUL byte, so each run between NULs is decoded alone.
// No multi-byte character of UTF-8 or of a Windows code page holds a NUL byte.
template <typename Decoder>
std::u16string DecodeKeepingNuls(std::string_view bytes, Decoder decode) {
  std::u16string text;
  text.reserve(bytes.size());
  for (;;) {
    const std::size_t nul = bytes.find('\0');
    text += decode(bytes.substr(0, nul));
    if (nul == std::string_view::npos) return text;
    text.push_back(u'\0');
    bytes.remove_prefix(nul + 1);
  }
}

}  // namespace

std::u16string DecodeProfileText(std::string_view bytes, const platform::CodePage& ansi) {
  const std::optional<ByteOrderMark> mark = LeadingByteOrderMark(bytes);
  if (!mark) {
    return DecodeKeepingNuls(bytes, [&](std::string_view run) { return ansi.Decode(run); });
  }
  bytes.remove_prefix(mark->bytes.size());
  switch (mark->encoding) {
    case TextEncoding::Utf16Le:
      return DecodeUtf16(bytes, false);
    case TextEncoding::Utf16Be:
      return DecodeUtf16(bytes, true);
    case TextEncoding::Utf8:
      break;
  }
  return DecodeKeepingNuls(bytes, [](std::string_view run) { return Utf8ToWide(run); });
}
