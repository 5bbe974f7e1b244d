// The about box, laid out from its template.
#include "ui/about_dlg.h"

#include <algorithm>

#include "dialog/dialog_texts.h"
#include "ui/dialog_units.h"
#include "ui/program_icon.h"
#include "ui/qstring_utf8.h"
#include "ui_about_dlg.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CAboutDlg>()) {
  ui_->setupUi(this);
  ui_->versionLabel->setText(QStringFromUtf8(AboutVersionText()));
  UseTemplateFont(*this);
  LayOutInDialogUnits(*this);
  const QIcon icon = ProgramIcon();
  setWindowIcon(icon);
  const int side = std::min(ui_->iconLabel->width(), ui_->iconLabel->height());
  ui_->iconLabel->setPixmap(icon.pixmap(side, side));
}

CAboutDlg::~CAboutDlg() = default;
