// Paths as the Windows file calls take them past MAX_PATH (260 characters),
// whether or not the system allows long paths.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

// What the system makes of a path before it opens it (GetFullPathNameW):
// absolute, "." and ".." resolved, backslashes only, and a device name such
// as CON or C:\dir\AUX.ONC turned into \\.\CON. Empty when it cannot.
[[nodiscard]] std::wstring FullPathName(const std::filesystem::path& path);

// \\?\ and the full path, or \\?\UNC\ and a share's path without its two
// backslashes; a full path in the device or long form already, as it is.
[[nodiscard]] std::wstring LongFormOf(const std::wstring& fullPath);

// The name to hand a file call for an absolute path (C:\..., \\server\share\...):
// its full path in the long form, which names the same file. Relative
// paths, device names and paths that begin with \\?\ or \\.\ are given back
// as they are, so they mean what they always meant.
[[nodiscard]] std::wstring LongPath(const std::filesystem::path& path);

}  // namespace platform
