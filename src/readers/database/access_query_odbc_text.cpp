// UTF-16 and UTF-8 conversions for the ODBC helper, in parts of int size.
#include "readers/database/access_query_odbc_text.h"

#include <windows.h>

namespace access_odbc {

namespace {

// The conversion calls take int lengths; longer text goes through in parts
// that end on a whole character.
constexpr std::size_t kPart = std::size_t{1} << 24;

}  // namespace

std::string ToUtf8(std::wstring_view text) {
  std::string result;
  while (!text.empty()) {
    std::size_t length = text.size() < kPart ? text.size() : kPart;
    if (length < text.size() && IS_HIGH_SURROGATE(text[length - 1])) --length;
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(length),
                                           nullptr, 0, nullptr, nullptr);
    const std::size_t start = result.size();
    result.resize(start + static_cast<std::size_t>(size));
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(length), result.data() + start,
                          size, nullptr, nullptr);
    text.remove_prefix(length);
  }
  return result;
}

// Only for command-line text, which Windows keeps far below INT_MAX.
std::wstring FromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int size =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(),
                        size);
  return result;
}

}  // namespace access_odbc
