// Renders the main dialog as it opens, and the about box, into PNG files.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

#include "ui/about_dlg.h"
#include "ui/program_icon.h"
#include "ui/qt_user_prompts.h"
#include "ui/zembrix_dlg.h"

namespace {

bool Save(QWidget& window, const QDir& folder, const char* name) {
  window.show();
  QApplication::processEvents();
  const QString path = folder.filePath(QString::fromLatin1(name));
  if (window.grab().save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: zembrix-screenshot FOLDER\n");
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  QApplication::setWindowIcon(ProgramIcon());
  QtUserPrompts prompts;
  CZembrixDlg dialog(prompts);
  CAboutDlg about(&dialog);
  const bool saved = Save(dialog, folder, "zembrix-dialog.png") &&
                     Save(about, folder, "zembrix-about.png");
  return saved ? 0 : 1;
}
