// The main dialog: pick the source type, the source file and the output file.
#pragma once

#include <QDialog>
#include <QIcon>
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

 private:
  void OnSysCommand(unsigned command);
  void OnClickedOk();
  void OnClickedBrowseSource();
  void OnClickedBrowseFolder();

  std::unique_ptr<Ui::CZembrixDlg> ui_;
  UserPrompts& prompts_;
  QIcon icon_;
};
