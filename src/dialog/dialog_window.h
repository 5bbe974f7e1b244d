// What the dialog's drawing side does for the dialog's OK button.
#pragma once

#include <string_view>

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  // A box with one OK button, owned by the dialog; returns once it is dismissed.
  // Both texts are UTF-8.
  virtual void ShowMessageBox(std::string_view caption, std::string_view text) = 0;

  // Closes the dialog with its OK result.
  virtual void EndDialogOk() = 0;
};
