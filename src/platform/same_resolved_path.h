// Two paths compared once every link and ".." in them is resolved, for paths
// that do not both name an existing file.
#pragma once

#include <filesystem>

namespace platform {

inline bool SameResolvedPath(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::error_code error;
  const std::filesystem::path resolvedA = std::filesystem::weakly_canonical(a, error);
  if (error) return false;
  const std::filesystem::path resolvedB = std::filesystem::weakly_canonical(b, error);
  return !error && resolvedA == resolvedB;
}

}  // namespace platform
