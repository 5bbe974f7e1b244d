// The main dialog: pick the source type, the source file and the output file.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <memory>

#include "ui/user_prompts.h"

namespace Ui {
class CZembrixDlg;
}

class CZembrixDlg : public QDialog {
  Q_OBJECT

 public:
  // The menu command that opens the about box.
  static constexpr unsigned kIdmAboutBox = 0x0010;

  explicit CZembrixDlg(UserPrompts& prompts, QWidget* parent = nullptr);
  ~CZembrixDlg() override;

 protected:
  bool OnInitDialog();
  void contextMenuEvent(QContextMenuEvent* event) override;
  // A file dropped anywhere on the dialog becomes the source.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnSysCommand(unsigned command);
  void OnClickedOk();
  void OnClickedBrowseSource();
  void OnClickedBrowseFolder();
  void OnSourceEditLeft();
  // Selects the type that reads the source, when the selected one does not.
  void OnSourceChosen();

  std::unique_ptr<Ui::CZembrixDlg> ui_;
  UserPrompts& prompts_;
  QIcon icon_;
  QString lookedAtSource_;  // the source text last looked at
};
