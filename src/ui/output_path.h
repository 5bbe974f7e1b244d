// Where the machine list file goes inside a folder the user picked.
#pragma once

#include <QString>

// The folder, one "/" unless it already ends with one, then "computer.ONC".
[[nodiscard]] QString MachineListPathInFolder(const QString& folder);
