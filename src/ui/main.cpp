// Entry point of zembrix, the dialog program.
#include <QApplication>
#include <csignal>

#include "ui/zembrix_app.h"

int main(int argc, char** argv) {
  // A write past a file size limit must fail with an error we report, not kill us.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication application(argc, argv);
  CZembrixApp app;
  app.InitInstance();
  return 0;
}
