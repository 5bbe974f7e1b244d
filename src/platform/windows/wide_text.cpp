// UTF-8 to and from wide text through Windows' own converter, decoded alike on Wine.
#include "platform/windows/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <string>

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
  // Wine lets a sequence that the end of the text cuts short take the bytes
  // after its lead with it ("\xE7" "a" gives one U+FFFD, where Windows gives
  // U+FFFD "a"). ASCII after the text, as long as the longest sequence but
  // its lead, keeps every byte decoded as Windows decodes it.
  constexpr std::string_view kTail = "   ";
  const std::string_view last = bytes.substr(bytes.size() - std::min(bytes.size(), kTail.size()));
  const bool padded = std::any_of(last.begin(), last.end(),
                                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  std::string withTail;
  if (padded) {
    withTail.reserve(bytes.size() + kTail.size());
    withTail.append(bytes).append(kTail);
    bytes = withTail;
  }
  const int size = CheckedLength(bytes.size());
  std::wstring text(bytes.size(), L'\0');  // never more units than bytes
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, text.data(), size);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  if (padded) text.resize(text.size() >= kTail.size() ? text.size() - kTail.size() : 0);
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
