// A drag's payload as the shell hands it to WM_DROPFILES.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// A global memory block of a DROPFILES header and the files as a wide,
// double-terminated list; at is the drop point in the target's client area.
// Whoever receives it owns it and ends it with DragFinish.
[[nodiscard]] HDROP MakeDrop(const std::vector<std::wstring>& files, POINT at = {0, 0});
