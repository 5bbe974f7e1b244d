// The program's own icon, shared by the dialogs and the desktop entry.
#pragma once

#include <QIcon>

// The 48 x 48 image compiled into the program.
[[nodiscard]] QIcon ProgramIcon();
