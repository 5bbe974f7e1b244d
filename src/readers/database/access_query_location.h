// Where the Access query executable is.
#pragma once

#include <filesystem>
#include <optional>

// Beside the running program (the build tree, a copied folder), then in the
// libexec folder relative to it, then where `cmake --install` put it.
[[nodiscard]] std::optional<std::filesystem::path> FindAccessQueryExecutable();
