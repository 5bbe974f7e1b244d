// The dialog core's output path rule, on the field's text.
#include "ui/output_path.h"

#include "dialog/output_path.h"
#include "ui/native_path.h"

QString MachineListPathInFolder(const QString& folder) {
  return PathText(MachineListPathInFolder(NativePath(folder)));
}
