// UTF-8 conversions through ICU, replacing what does not convert.
#include "core/utf8.h"

#include <unicode/ustring.h>

#include <algorithm>

namespace {

constexpr UChar32 kSubstitute = 0xFFFD;

std::u16string_view UpToNul(std::u16string_view text) {
  return text.substr(0, std::min(text.find(u'\0'), text.size()));
}

std::string_view UpToNul(std::string_view bytes) {
  return bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
}

}  // namespace

std::string Utf16ToUtf8Whole(std::u16string_view text) {
  std::string bytes(text.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strToUTF8WithSub(bytes.data(), static_cast<int32_t>(bytes.size()), &length, text.data(),
                     static_cast<int32_t>(text.size()), kSubstitute, nullptr, &error);
  bytes.resize(U_FAILURE(error) ? 0 : static_cast<std::size_t>(length));
  return bytes;
}

std::string WideToUtf8(std::u16string_view text) { return Utf16ToUtf8Whole(UpToNul(text)); }

std::string WideToUtf8(const char16_t* text) {
  return text ? WideToUtf8(std::u16string_view(text)) : std::string();
}

std::u16string Utf8ToWide(std::string_view bytes) {
  bytes = UpToNul(bytes);
  std::u16string text(bytes.size(), u'\0');
  int32_t length = 0;
  UErrorCode error = U_ZERO_ERROR;
  u_strFromUTF8WithSub(text.data(), static_cast<int32_t>(text.size()), &length, bytes.data(),
                       static_cast<int32_t>(bytes.size()), kSubstitute, nullptr, &error);
  text.resize(U_FAILURE(error) ? 0 : static_cast<std::size_t>(length));
  return text;
}

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
