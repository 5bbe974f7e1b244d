// The conversion run's host inside the main dialog: message boxes and closing.
#pragma once

#include "conversion/conversion_host.h"
#include "ui/user_prompts.h"

class QDialog;

class DialogHost final : public ConversionHost {
 public:
  DialogHost(QDialog& dialog, UserPrompts& prompts) : dialog_(dialog), prompts_(prompts) {}

  // The detail is for the command line; the dialog's box holds the message alone.
  void ShowMessage(Message message, std::string_view detail = {}) override;
  void EndDialogOk() override;

 private:
  QDialog& dialog_;
  UserPrompts& prompts_;
};
