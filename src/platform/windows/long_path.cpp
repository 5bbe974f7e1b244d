// Long paths on Windows: absolute paths in the \\?\ form, which no call cuts at MAX_PATH.
#include "platform/windows/long_path.h"

#include <windows.h>

#include <string_view>

namespace platform {
namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// C:\ or C:/, or two separators and a server's name; not \\?\ nor \\.\,
// which the system takes as they are.
bool IsAbsolute(std::wstring_view text) {
  if (text.size() >= 3 && text[1] == L':' && IsSeparator(text[2])) {
    return (text[0] >= L'A' && text[0] <= L'Z') || (text[0] >= L'a' && text[0] <= L'z');
  }
  if (text.size() < 3 || !IsSeparator(text[0]) || !IsSeparator(text[1])) return false;
  const bool systemForm =
      (text[2] == L'?' || text[2] == L'.') && (text.size() == 3 || IsSeparator(text[3]));
  return !systemForm;
}

}  // namespace

std::wstring FullPathName(const std::filesystem::path& path) {
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()),
                                            full.data(), nullptr);
    if (length == 0) return {};
    // Too small a buffer gives the size needed, terminating NUL included.
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);
  }
}

std::wstring LongFormOf(const std::wstring& fullPath) {
  if (fullPath.starts_with(kLongPrefix) || fullPath.starts_with(kDevicePrefix)) return fullPath;
  if (fullPath.starts_with(L"\\\\")) return std::wstring(kLongPrefix) + L"UNC\\" + fullPath.substr(2);
  return std::wstring(kLongPrefix) + fullPath;
}

std::wstring LongPath(const std::filesystem::path& path) {
  const std::wstring& text = path.native();
  if (!IsAbsolute(text)) return text;
  const std::wstring full = FullPathName(path);
  if (full.empty() || full.starts_with(kDevicePrefix)) return text;
  return LongFormOf(full);
}

}  // namespace platform
