// The main dialog: its start state, the two browse buttons and the OK handler.
#include "ui/zembrix_dlg.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QString>

#include "conversion/conversion_run.h"
#include "conversion/source_types.h"
#include "ui/about_dlg.h"
#include "ui/dialog_host.h"
#include "ui/dialog_units.h"
#include "ui/name_filters.h"
#include "ui/output_path.h"
#include "ui/program_icon.h"
#include "ui/qstring_utf8.h"
#include "ui_zembrix_dlg.h"

namespace {

constexpr char16_t kFolderDialogTitle[] = u"请选择文件夹：";

// The field's text as the file system names it, as Qt's own file dialogs do.
std::filesystem::path NativePath(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

DisklessType TypeAt(int position) {
  return SourceTypes()[static_cast<std::size_t>(position)].type;
}

}  // namespace

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
  for (const SourceTypeInfo& row : SourceTypes()) {
    ui_->typeCombo->addItem(QStringFromUtf8(row.displayName));
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
  const int position = ui_->typeCombo->currentIndex();
  if (position < 0) return;
  DialogHost host(*this, prompts_);
  ConvertMachineList(TypeAt(position), NativePath(ui_->sourceEdit->text()),
                     NativePath(ui_->outputEdit->text()), ConversionContext::Default(), host);
}

void CZembrixDlg::OnClickedBrowseSource() {
  const int position = ui_->typeCombo->currentIndex();
  if (position < 0) return;
  const QStringList filters =
      NameFiltersFromBrowseFilter(SourceTypeOf(TypeAt(position)).browseFilter);
  if (const auto file = prompts_.OpenFile(this, filters)) ui_->sourceEdit->setText(*file);
}

void CZembrixDlg::OnClickedBrowseFolder() {
  if (const auto folder = prompts_.PickFolder(this, QString::fromUtf16(kFolderDialogTitle))) {
    ui_->outputEdit->setText(MachineListPathInFolder(*folder));
  }
}
