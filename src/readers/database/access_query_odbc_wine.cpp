// Wine's own exports: whether the helper runs under Wine, and a path's Unix name.
#include "readers/database/access_query_odbc_wine.h"

#include <windows.h>

#include <memory>

namespace access_odbc {

namespace {

using UnixFileNameFunction = char*(CDECL*)(const wchar_t*);

void* WineExport(const wchar_t* module, const char* name) {
  const HMODULE handle = ::GetModuleHandleW(module);
  return handle ? reinterpret_cast<void*>(::GetProcAddress(handle, name)) : nullptr;
}

struct HeapDeleter {
  void operator()(char* text) const { ::HeapFree(::GetProcessHeap(), 0, text); }
};

}  // namespace

bool RunningUnderWine() {
  return WineExport(L"ntdll.dll", "wine_get_version") != nullptr;
}

std::optional<std::string> WineUnixFileName(const std::wstring& windowsPath) {
  const auto unixFileName = reinterpret_cast<UnixFileNameFunction>(
      WineExport(L"kernel32.dll", "wine_get_unix_file_name"));
  if (!unixFileName) return std::nullopt;
  const std::unique_ptr<char, HeapDeleter> name(unixFileName(windowsPath.c_str()));
  if (!name || !*name) return std::nullopt;
  return std::string(name.get());
}

}  // namespace access_odbc
