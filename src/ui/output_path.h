// The output path built from a folder the Qt folder dialog picked.
#pragma once

#include <QString>

// The folder, one "/" unless it already ends with one, then "computer.ONC".
[[nodiscard]] QString MachineListPathInFolder(const QString& folder);
