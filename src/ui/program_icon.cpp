// Loading the program icon from the compiled-in resources.
#include "ui/program_icon.h"

QIcon ProgramIcon() { return QIcon(QStringLiteral(":/zembrix/zembrix.png")); }
