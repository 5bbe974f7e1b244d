// Loading the program icon from the compiled-in resources.
#include "ui/program_icon.h"

QIcon ProgramIcon() {
  // The resources sit in a static library, whose registration the linker may drop.
  Q_INIT_RESOURCE(zembrix);
  return QIcon(QStringLiteral(":/zembrix/zembrix.png"));
}
