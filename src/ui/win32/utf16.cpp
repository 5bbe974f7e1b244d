// UTF-8 to UTF-16 with Windows' own converter.
#include "ui/win32/utf16.h"

#include <windows.h>

#include <climits>

std::wstring Utf16FromUtf8(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int bytes = static_cast<int>(text.size());
  const int chars = MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, nullptr, 0);
  if (chars <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(chars), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), bytes, wide.data(), chars);
  return wide;
}
