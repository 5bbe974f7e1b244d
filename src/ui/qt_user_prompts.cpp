// Showing Qt's standard dialogs, modal over the main dialog.
#include "ui/qt_user_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

std::optional<QString> QtUserPrompts::OpenFile(QWidget* owner, const QStringList& nameFilters) {
  QFileDialog dialog(owner);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(nameFilters);
  if (!nameFilters.isEmpty()) dialog.selectNameFilter(nameFilters.first());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return files.first();
}

std::optional<QString> QtUserPrompts::PickFolder(QWidget* owner, const QString& title) {
  // Gives an empty path for a cancel and for anything that is not a local folder.
  const QString folder = QFileDialog::getExistingDirectory(owner, title);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

void QtUserPrompts::ShowMessage(QWidget* owner, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
  box.exec();
}
