// Showing Windows' standard dialogs, modal over the main dialog.
#include "ui/win32/system_user_prompts.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cwchar>

namespace {

// Room for the longest path Windows' wide functions take.
constexpr std::size_t kPathChars = 32768;

std::optional<std::wstring> UpToTerminator(std::wstring text) {
  text.resize(std::wcslen(text.c_str()));
  if (text.empty()) return std::nullopt;
  return text;
}

}  // namespace

std::optional<std::wstring> SystemUserPrompts::OpenFile(
    HWND owner, const std::vector<FileTypeFilter>& filters) {
  const std::wstring filterText = OpenFileFilterText(filters);
  std::wstring file(kPathChars, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.empty() ? nullptr : filterText.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                 OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  // False for a cancel and for an error alike.
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return UpToTerminator(std::move(file));
}

std::optional<std::wstring> SystemUserPrompts::PickFolder(HWND owner, const std::wstring& title) {
  std::wstring displayName(MAX_PATH, L'\0');
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.pszDisplayName = displayName.data();
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse);
  if (!item) return std::nullopt;
  std::wstring folder(kPathChars, L'\0');
  const BOOL hasPath =
      SHGetPathFromIDListEx(item, folder.data(), static_cast<DWORD>(folder.size()), GPFIDL_DEFAULT);
  CoTaskMemFree(item);
  if (!hasPath) return std::nullopt;
  return UpToTerminator(std::move(folder));
}

void SystemUserPrompts::ShowMessage(HWND owner, const std::wstring& caption,
                                    const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK);
}
