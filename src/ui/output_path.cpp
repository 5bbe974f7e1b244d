// The output path built from a picked folder.
#include "ui/output_path.h"

QString MachineListPathInFolder(const QString& folder) {
  QString path = folder;
  if (!path.endsWith(u'/')) path += u'/';
  return path + QStringLiteral("computer.ONC");
}
