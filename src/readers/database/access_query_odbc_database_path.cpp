// The database's name from the handle of standard input, without the \\?\ prefix.
#include "readers/database/access_query_odbc_database_path.h"

#include <windows.h>

namespace access_odbc {

std::wstring WithoutLongPathPrefix(std::wstring path) {
  constexpr std::wstring_view kUncPrefix = L"\\\\?\\UNC\\";
  constexpr std::wstring_view kPrefix = L"\\\\?\\";
  if (path.starts_with(kUncPrefix)) return L"\\\\" + path.substr(kUncPrefix.size());
  if (path.starts_with(kPrefix)) return path.substr(kPrefix.size());
  return path;
}

DatabasePath StandardInputDatabasePath() {
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  if (input == INVALID_HANDLE_VALUE || input == nullptr) return {{}, ::GetLastError()};
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(input, path.data(),
                                                     static_cast<DWORD>(path.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {{}, ::GetLastError()};
    // Too small a buffer gives the size needed, terminating NUL included.
    if (length < path.size()) {
      path.resize(length);
      return {WithoutLongPathPrefix(std::move(path)), 0};
    }
    path.resize(length);
  }
}

}  // namespace access_odbc
