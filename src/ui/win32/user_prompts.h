// The modal questions the main dialog asks the user: a seam tests can answer.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/win32/open_file_filter.h"

class Win32UserPrompts {
 public:
  virtual ~Win32UserPrompts() = default;

  // An open-file dialog offering the filters, the first one selected. The
  // chosen file's full path, or nothing when the user cancelled.
  virtual std::optional<std::wstring> OpenFile(HWND owner,
                                               const std::vector<FileTypeFilter>& filters) = 0;

  // A folder dialog for file system folders only. The folder's path, or nothing
  // when the user cancelled or picked something that has no path.
  virtual std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& title) = 0;

  // A message box with one OK button; returns once the user has dismissed it.
  virtual void ShowMessage(HWND owner, const std::wstring& caption, const std::wstring& text) = 0;
};
