// The main dialog: its start state, the two browse buttons and the OK handler.
#include "ui/zembrix_dlg.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QString>
#include <QUrl>

#include "dialog/dialog_ok.h"
#include "dialog/dialog_texts.h"
#include "dialog/source_chosen.h"
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
  connect(ui_->sourceEdit, &QLineEdit::editingFinished, this, &CZembrixDlg::OnSourceEditLeft);
  setAcceptDrops(true);
  // The source field would take a dropped file as text: the dialog takes it.
  ui_->sourceEdit->installEventFilter(this);
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

namespace {

// The local file a drag carries; empty when it carries none or several.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void CZembrixDlg::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CZembrixDlg::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  ui_->sourceEdit->setText(file);
  OnSourceChosen();
}

bool CZembrixDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->sourceEdit) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!DroppedFile(drag->mimeData()).isEmpty()) {
        drag->acceptProposedAction();
        return true;
      }
    } else if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!DroppedFile(drop->mimeData()).isEmpty()) {
        dropEvent(drop);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
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
  if (const auto file = prompts_.OpenFile(this, filters)) {
    ui_->sourceEdit->setText(*file);
    OnSourceChosen();
  }
}

void CZembrixDlg::OnSourceEditLeft() {
  // Enter in the field converts at once: only leaving it is a choice to look at.
  if (ui_->sourceEdit->hasFocus() || ui_->sourceEdit->text() == lookedAtSource_) return;
  OnSourceChosen();
}

void CZembrixDlg::OnSourceChosen() {
  lookedAtSource_ = ui_->sourceEdit->text();
  const SourceChoice choice =
      ::OnSourceChosen(ui_->typeCombo->currentIndex(), NativePath(lookedAtSource_));
  ui_->typeCombo->setCurrentIndex(choice.typePosition);
  ui_->recognizedLabel->setText(QStringFromUtf8(choice.line));
}

void CZembrixDlg::OnClickedBrowseFolder() {
  if (const auto folder = prompts_.PickFolder(this, QStringFromUtf8(kFolderDialogTitle))) {
    ui_->outputEdit->setText(MachineListPathInFolder(*folder));
  }
}
