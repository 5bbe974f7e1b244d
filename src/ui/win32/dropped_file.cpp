// Taking the one file name out of a shell drag.
#include "ui/win32/dropped_file.h"

std::optional<std::wstring> TheOneDroppedFile(HDROP drop) {
  if (!drop || DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) != 1) return std::nullopt;
  // Without a buffer it gives the length, which may pass MAX_PATH.
  const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring file(static_cast<std::size_t>(length) + 1, L'\0');
  const UINT copied = DragQueryFileW(drop, 0, file.data(), length + 1);
  if (copied != length) return std::nullopt;
  file.resize(copied);
  return file;
}
