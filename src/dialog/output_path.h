// Where the machine list file goes inside a folder the user picked.
#pragma once

#include <filesystem>

// The folder, one separator unless it already ends with one ("/", or on
// Windows also "\"), then "computer.ONC". The folder is kept as given.
[[nodiscard]] std::filesystem::path MachineListPathInFolder(const std::filesystem::path& folder);
