// Questions about files and folders that the standard library cannot answer.
#pragma once

#include <filesystem>

namespace platform {

// True when this process may create files in the folder.
[[nodiscard]] bool CanWriteInto(const std::filesystem::path& folder);

// True when the two paths name one file: the same file after following links
// where both exist, the same resolved path otherwise.
[[nodiscard]] bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace platform
