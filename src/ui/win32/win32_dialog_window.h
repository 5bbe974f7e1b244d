// The dialog core's window on the Win32 side: boxes owned by the main dialog, and ending it.
#pragma once

#include <windows.h>

#include "dialog/dialog_window.h"
#include "ui/win32/user_prompts.h"

class Win32DialogWindow final : public DialogWindow {
 public:
  Win32DialogWindow(HWND dialog, Win32UserPrompts& prompts) : dialog_(dialog), prompts_(prompts) {}

  void ShowMessageBox(std::string_view caption, std::string_view text) override;
  void EndDialogOk() override;

 private:
  HWND dialog_;
  Win32UserPrompts& prompts_;
};
