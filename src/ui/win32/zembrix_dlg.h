// The main dialog: pick the source type, the source file and the output file.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <string>

#include "ui/win32/program_icon.h"
#include "ui/win32/user_prompts.h"

class CZembrixDlg {
 public:
  // The dialog's template and icon come from the resources of instance.
  CZembrixDlg(HINSTANCE instance, Win32UserPrompts& prompts);
  CZembrixDlg(const CZembrixDlg&) = delete;
  CZembrixDlg& operator=(const CZembrixDlg&) = delete;

  // Runs the dialog modally: IDOK after a written file, IDCANCEL otherwise,
  // -1 when it could not be created.
  INT_PTR DoModal(HWND owner = nullptr);

  // Creates the dialog without a modal loop of its own, for pictures of it;
  // end it with DestroyWindow. Nothing when it could not be created.
  HWND Create(HWND owner = nullptr);

  // The dialog's window while it exists, else nullptr.
  [[nodiscard]] HWND hwnd() const { return hwnd_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  BOOL OnInitDialog();
  BOOL OnSysCommand(WPARAM command);
  BOOL OnCommand(WORD id, WORD code);
  void OnClickedOk();
  void OnClickedBrowseSource();
  void OnClickedBrowseFolder();
  void OnDropFiles(HDROP drop);
  void OnSourceFieldLeft();
  // Selects the type that reads the source, when the selected one does not.
  void OnSourceChosen();

  [[nodiscard]] int TypePosition() const;
  [[nodiscard]] std::filesystem::path FieldPath(int id) const;

  HINSTANCE instance_;
  Win32UserPrompts& prompts_;
  HWND hwnd_ = nullptr;
  OwnedIcon bigIcon_;
  OwnedIcon smallIcon_;
  std::wstring lookedAtSource_;  // the source text last looked at
  bool converting_ = false;      // while OK runs, with the boxes it shows
};
