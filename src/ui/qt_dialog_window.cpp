// Showing the dialog core's boxes through the prompts, and accepting the dialog.
#include "ui/qt_dialog_window.h"

#include <QDialog>

#include "ui/qstring_utf8.h"

void QtDialogWindow::ShowMessageBox(std::string_view caption, std::string_view text) {
  prompts_.ShowMessage(&dialog_, QStringFromUtf8(caption), QStringFromUtf8(text));
}

void QtDialogWindow::EndDialogOk() { dialog_.accept(); }
