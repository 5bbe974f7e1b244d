// Start-up: the program's names and icon, then the main dialog.
#include "ui/zembrix_app.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/program_icon.h"
#include "ui/qt_user_prompts.h"
#include "ui/zembrix_dlg.h"
#include "zembrix_version.h"

bool CZembrixApp::InitInstance() {
  QtUserPrompts prompts;
  return InitInstance(prompts);
}

bool CZembrixApp::InitInstance(UserPrompts& prompts) {
  QApplication::setApplicationName(QStringLiteral("zembrix"));
  QApplication::setApplicationVersion(
      QStringLiteral("%1.%2").arg(ZEMBRIX_VERSION_MAJOR).arg(ZEMBRIX_VERSION_MINOR));
  // Matches the installed desktop entry, so desktops show its icon.
  QApplication::setDesktopFileName(QStringLiteral("zembrix"));
  QApplication::setWindowIcon(ProgramIcon());
  // The file dialogs and message boxes speak the dialog's language ("确定", "打开").
  // Without Qt's translations installed they stay in English.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                   QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  CZembrixDlg dialog(prompts);
  dialog.exec();  // OK after a written file, cancel otherwise: either way we end.
  return false;
}
