// The dialog core's window on the Qt side: boxes owned by the main dialog, and closing it.
#pragma once

#include "dialog/dialog_window.h"
#include "ui/user_prompts.h"

class QDialog;

class QtDialogWindow final : public DialogWindow {
 public:
  QtDialogWindow(QDialog& dialog, UserPrompts& prompts) : dialog_(dialog), prompts_(prompts) {}

  void ShowMessageBox(std::string_view caption, std::string_view text) override;
  void EndDialogOk() override;

 private:
  QDialog& dialog_;
  UserPrompts& prompts_;
};
