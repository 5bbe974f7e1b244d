// Showing the dialog core's boxes through the prompts, and ending the modal dialog.
#include "ui/win32/win32_dialog_window.h"

#include "ui/win32/utf16.h"

void Win32DialogWindow::ShowMessageBox(std::string_view caption, std::string_view text) {
  prompts_.ShowMessage(dialog_, Utf16FromUtf8(caption), Utf16FromUtf8(text));
}

void Win32DialogWindow::EndDialogOk() { EndDialog(dialog_, IDOK); }
