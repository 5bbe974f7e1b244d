// UTF-8 conversions up to a NUL, as the Windows calls with length -1 make them.
#include "core/utf8.h"

#include <algorithm>

#include "platform/code_page.h"

namespace {

template <typename Char>
std::basic_string_view<Char> UpToNul(std::basic_string_view<Char> text) {
  return text.substr(0, std::min(text.find(Char{}), text.size()));
}

}  // namespace

std::string Utf16ToUtf8Whole(std::u16string_view text) { return platform::Utf16ToUtf8(text); }

std::string WideToUtf8(std::u16string_view text) { return platform::Utf16ToUtf8(UpToNul(text)); }

std::u16string Utf8ToWide(std::string_view bytes) { return platform::Utf8ToUtf16(UpToNul(bytes)); }

void Utf8ToWide(const char* bytes, ValueBuffer& buffer) {
  // Most values are short ASCII: those are copied as they are.
  std::size_t length = 0;
  for (; bytes && length <= kValueBufferLimit; ++length) {
    const auto byte = static_cast<unsigned char>(bytes[length]);
    if (byte == 0) {
      buffer[length] = u'\0';
      return;
    }
    if (byte >= 0x80) break;
    buffer[length] = byte;
  }
  const std::u16string text = Utf8ToWide(bytes ? std::string_view(bytes) : std::string_view());
  const std::u16string_view value = CutToValueBuffer(text);
  std::copy(value.begin(), value.end(), buffer.begin());
  buffer[value.size()] = u'\0';
}

void Utf8ToValue(const char* bytes, std::u16string& value) {
  // Most values are short ASCII: those are widened as they are. When the first
  // 259 units are ASCII, the cut falls after them, whatever follows.
  std::size_t length = 0;
  while (bytes && length < kValueBufferLimit && bytes[length] != '\0' &&
         static_cast<unsigned char>(bytes[length]) < 0x80) {
    ++length;
  }
  if (!bytes || length == kValueBufferLimit || bytes[length] == '\0') {
    value.resize(length);
    char16_t* out = value.data();
    for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<unsigned char>(bytes[i]);
    return;
  }
  value = Utf8ToWide(std::string_view(bytes));
  value.resize(CutToValueBuffer(value).size());
}
