// The real prompts: the common file dialog, the shell's folder dialog, message boxes.
#pragma once

#include "ui/win32/user_prompts.h"

// The folder dialog needs OLE initialised on the calling thread.
class SystemUserPrompts final : public Win32UserPrompts {
 public:
  std::optional<std::wstring> OpenFile(HWND owner,
                                       const std::vector<FileTypeFilter>& filters) override;
  std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& title) override;
  void ShowMessage(HWND owner, const std::wstring& caption, const std::wstring& text) override;
};
