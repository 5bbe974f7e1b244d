// The about box, laid out from its template.
#include "ui/about_dlg.h"

#include <algorithm>

#include "ui/dialog_units.h"
#include "ui/program_icon.h"
#include "ui_about_dlg.h"
#include "zembrix_version.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::CAboutDlg>()) {
  ui_->setupUi(this);
  ui_->versionLabel->setText(
      QStringLiteral("Zembrix，%1.%2 版").arg(ZEMBRIX_VERSION_MAJOR).arg(ZEMBRIX_VERSION_MINOR));
  UseTemplateFont(*this);
  LayOutInDialogUnits(*this);
  const QIcon icon = ProgramIcon();
  setWindowIcon(icon);
  const int side = std::min(ui_->iconLabel->width(), ui_->iconLabel->height());
  ui_->iconLabel->setPixmap(icon.pixmap(side, side));
}

CAboutDlg::~CAboutDlg() = default;
