// The main dialog: its start state, the two browse buttons and the OK handler.
#include "ui/zembrix_dlg.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QString>

#include "dialog/dialog_ok.h"
#include "dialog/dialog_texts.h"
#include "dialog/type_list.h"
#include "ui/about_dlg.h"
#include "ui/dialog_units.h"
#include "ui/name_filters.h"
#include "ui/native_path.h"
#include "ui/output_path.h"
#include "ui/program_icon.h"
#include "ui/qstring_utf8.h"
#include "ui/qt_dialog_window.h"
#include "ui_zembrix_dlg.h"

CZembrixDlg::CZembrixDlg(UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CZembrixDlg>()), prompts_(prompts),
      icon_(ProgramIcon()) {
  ui_->setupUi(this);
  connect(ui_->okButton, &QPushButton::clicked, this, &CZembrixDlg::OnClickedOk);
  connect(ui_->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->sourceBrowseButton, &QPushButton::clicked, this,
          &CZembrixDlg::OnClickedBrowseSource);
  connect(ui_->outputBrowseButton, &QPushButton::clicked, this,
          &CZembrixDlg::OnClickedBrowseFolder);
  OnInitDialog();
}

CZembrixDlg::~CZembrixDlg() = default;

bool CZembrixDlg::OnInitDialog() {
  UseTemplateFont(*this);
  LayOutInDialogUnits(*this);
  setWindowIcon(icon_);
  // Position i in the list is type i.
  for (const std::string_view name : TypeListNames()) {
    ui_->typeCombo->addItem(QStringFromUtf8(name));
  }
  ui_->typeCombo->setCurrentIndex(0);
  ui_->okButton->setFocus();
  return true;
}

// Linux has no system menu to extend; the dialog's own context menu holds the
// about entry instead.
void CZembrixDlg::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(ui_->aboutAction);
  if (menu.exec(event->globalPos()) == ui_->aboutAction) OnSysCommand(kIdmAboutBox);
}

void CZembrixDlg::OnSysCommand(unsigned command) {
  if (command == kIdmAboutBox) {
    CAboutDlg about(this);
    about.exec();
  }
}

void CZembrixDlg::OnClickedOk() {
  QtDialogWindow window(*this, prompts_);
  OnDialogOk({ui_->typeCombo->currentIndex(), NativePath(ui_->sourceEdit->text()),
              NativePath(ui_->outputEdit->text())},
             window);
}

void CZembrixDlg::OnClickedBrowseSource() {
  const int position = ui_->typeCombo->currentIndex();
  if (!TypeAtPosition(position)) return;
  const QStringList filters = NameFiltersFromBrowseFilter(BrowseFilterAt(position));
  if (const auto file = prompts_.OpenFile(this, filters)) ui_->sourceEdit->setText(*file);
}

void CZembrixDlg::OnClickedBrowseFolder() {
  if (const auto folder = prompts_.PickFolder(this, QStringFromUtf8(kFolderDialogTitle))) {
    ui_->outputEdit->setText(MachineListPathInFolder(*folder));
  }
}
