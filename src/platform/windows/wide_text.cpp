#include "platform/windows/wide_text.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

#include "platform/code_page.h"

namespace platform {
namespace {

int CheckedLength(std::size_t size) {
  if (size > static_cast<std::size_t>(INT_MAX) / 4) throw std::length_error("text too long");
  return static_cast<int>(size);
}

}  // namespace

std::wstring WideFromUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = CheckedLength(bytes.size());
  std::wstring text(bytes.size(), L'\0');  // never more units than bytes
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, text.data(), size);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = CheckedLength(text.size());
  std::string bytes(text.size() * 3, '\0');
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return bytes;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  return Utf8FromWide({reinterpret_cast<const wchar_t*>(text.data()), text.size()});
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  const std::wstring wide = WideFromUtf8(bytes);
  return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

}  // namespace platform
