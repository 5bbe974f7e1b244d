// Building a DROPFILES block, as the shell would, for a test drag.
#include "drop_files.h"

#include <shlobj.h>

#include <cstring>
#include <stdexcept>

HDROP MakeDrop(const std::vector<std::wstring>& files, POINT at) {
  std::size_t chars = 1;  // the list's final terminator
  for (const std::wstring& file : files) chars += file.size() + 1;
  // GHND zeroes the block, so every name ends in a terminator already.
  const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  if (!memory) throw std::runtime_error("GlobalAlloc failed");
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->pt = at;
  header->fNC = FALSE;
  header->fWide = TRUE;
  auto* list = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
  for (const std::wstring& file : files) {
    std::memcpy(list, file.data(), file.size() * sizeof(wchar_t));
    list += file.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}
