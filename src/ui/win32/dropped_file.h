// The file a drag from the shell (WM_DROPFILES) carries.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

// The path of the one file or folder in drop; nothing when it holds none or
// several. Leaves drop to the caller, who ends it with DragFinish.
[[nodiscard]] std::optional<std::wstring> TheOneDroppedFile(HDROP drop);
