// Renders the main dialog, as it opens, into a PNG file (for the README).
#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "ui/program_icon.h"
#include "ui/qt_user_prompts.h"
#include "ui/zembrix_dlg.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: zembrix-screenshot OUTPUT.png\n");
    return 2;
  }
  QApplication::setWindowIcon(ProgramIcon());
  QtUserPrompts prompts;
  CZembrixDlg dialog(prompts);
  dialog.show();
  QApplication::processEvents();
  if (!dialog.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
